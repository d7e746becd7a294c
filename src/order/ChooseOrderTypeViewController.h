#pragma once
// The start of order entry: a normal order or a contract order, each for a customer picked from the
// searchable customer list. Picking starts a new order draft, resets the current-customer context and
// opens the chosen kind's screens. An unfinished draft is offered first (ResumeOffer): continuing opens
// order entry where the draft stands. Uncovered after an order entered from here, the draft goes unless
// it holds lines sent without an answer: those are offered again (sent again under their identities they
// cannot be placed twice).
#include "model/MasterData.h"
#include "picklist/CustomerPickSource.h"
#include "picklist/SelectDataViewController.h"
#include "ui/Screen.h"

class SlideMenuController;

class ChooseOrderTypeViewController : public Screen, public SelectDataViewDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
public:
    explicit ChooseOrderTypeViewController(QObject *parent = nullptr);
    // Order entry from the storyboard, titled `title`. `continuesDraft`: the rep already chose to
    // continue the draft, so it opens where the draft stands without asking again.
    static ChooseOrderTypeViewController *instantiate(Storyboard *board, const QString &title, bool continuesDraft);

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
    // Opens order entry where the draft stands: the item page of a normal order (the header page while
    // its header is incomplete), or the contract screen with its cart open when it holds lines.
    void continueDraft();

private:
    void showPickList(bool contract);
    void loadCustomerList(bool again = false);
    void reloadPickList();
    void offerDraft();
    void openOrderQuery();
    // The contract screens in their slide-menu container, presented; null when they cannot be made.
    SlideMenuController *presentContractScreens();

    QPointer<SelectDataViewController> m_selectDataViewController;
    CustomerPickSource m_filterCustomerListArray{CustomerPickSource::Layout::NameThenNumber};
    // A customer-list request is on its way: appearing again meanwhile asks nothing more, so a second
    // answer can't arrive after the rep started searching and clear the search.
    bool m_loadingCustomers = false;
    bool m_continuesDraft = false;
    // An order was entered from here: uncovering this screen ends it.
    bool m_orderEntered = false;
};
