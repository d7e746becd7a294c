#pragma once
// The start of order entry: a normal order or a contract order, each for a customer picked from the
// searchable customer list. Picking resets the current-customer context and opens the chosen kind's
// screens. Each appearance empties the cart, so nothing of an earlier order survives into a new one,
// except lines sent whose result never arrived: for those it asks "離開下單" first (once, and again after
// an order started here), and "取消" keeps them (sent again under their identities they cannot be
// placed twice).
#include "model/MasterData.h"
#include "picklist/CustomerPickSource.h"
#include "picklist/SelectDataViewController.h"
#include "ui/Screen.h"

class ChooseOrderTypeViewController : public Screen, public SelectDataViewDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
public:
    explicit ChooseOrderTypeViewController(QObject *parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    // The two tappable areas of the screen.
    Q_INVOKABLE void normalOrderAction();
    Q_INVOKABLE void contractOrderAction();

    // The pick list currently shown (null when none).
    SelectDataViewController *selectDataViewController() const { return m_selectDataViewController; }
    // The customers offered now.
    const CustomerPickSource &filterCustomerListArray() const { return m_filterCustomerListArray; }

    // ---- SelectDataViewDelegate ----
    int selectDataCount() override;
    SelectDataTexts selectDataTexts(int row) override;
    void selectDataSearch(SelectDataViewController *pickList, const QString &text) override;
    void selectDataCancelSearch(SelectDataViewController *pickList) override;
    void selectDataReload() override;

    void startNormalOrder(const OrderCustomer &customer);
    void startContractOrder(const OrderCustomer &customer);

private:
    void showPickList(bool contract);
    void loadCustomerList();
    void reloadPickList();
    void askAboutLinesLeft();

    QPointer<SelectDataViewController> m_selectDataViewController;
    CustomerPickSource m_filterCustomerListArray{CustomerPickSource::Layout::NameThenNumber};
    // A customer-list request is on its way: appearing again meanwhile asks nothing more, so a second
    // answer can't arrive after the rep started searching and clear the search.
    bool m_loadingCustomers = false;
    bool m_leftLinesAsked = false;
};
