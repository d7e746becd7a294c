#pragma once
// The item page of a normal order, built on the header page: the material from the customer's price
// list, the unit price (never below the list price), the quantity, the number of identical copies,
// and the hand-over of the order to the cart and the confirmation. Every change is written into the
// order draft, which the header page shows too.
// Quantity, copy and price changes pass the credit check first, counting the order's own value.
#include "order/OrderPage1ViewController.h"
#include "picklist/SelectDataViewController.h"
#include "services/Operations.h"

class OrderPage2ViewController : public OrderPage1ViewController, public SelectDataViewDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(int orderPage READ orderPage NOTIFY rowsChanged)
    // The detail of the copy-count row ("複製訂單總數  × 3"); empty while there is one copy.
    Q_PROPERTY(QString copyCountText READ copyCountText NOTIFY rowsChanged)

public:
    explicit OrderPage2ViewController(QObject *parent = nullptr);

    const QList<PricedMaterial> &itemsArray() const { return m_priceList.materials(); }
    // Positions in itemsArray of the materials the pick list offers now.
    QList<int> filterItemsArray() const { return m_filterItemsArray; }
    SelectDataViewController *selectDataViewController() const { return m_selectDataViewController; }
    int orderPage() const { return editedOrder().orderPage; }
    QString copyCountText() const;

    void viewDidAppear(bool animated) override;

    // Section 0: the item rows (the unit price runs its action though it shows no highlight);
    // section 1: row 0 is the copy row.
    Q_INVOKABLE void selectRow(int section, int row) override;

    Q_INVOKABLE void selectItemsAction();
    Q_INVOKABLE void enterPriceAction();
    Q_INVOKABLE void enterAmountAction();
    Q_INVOKABLE void copyOrderAction();
    Q_INVOKABLE void orderAction();

    // ---- SelectDataViewDelegate (materials) ----
    int selectDataCount() override;
    SelectDataTexts selectDataTexts(int row) override;
    void selectDataSearch(SelectDataViewController *pickList, const QString &text) override;
    void selectDataCancelSearch(SelectDataViewController *pickList) override;
    void selectDataReload() override {}

    // What selects the price list of the current order.
    Operations::PriceListQuery priceListQuery() const;

protected:
    bool isHeaderPage() const override { return false; }
    void buildRows() override;

private:
    void priceListReply(const ApiStatus &status, PriceList items);
    void chooseMaterial(int filteredRow);
    void applyQuantity(const QString &text);
    void applyCopies(int row);
    void applyPrice(float amount);
    // The rows' values from the order as it is now (material, price, quantity, total).
    void showOrderValues();
    // The confirmation has closed: after a full success the flow returns to the order-type screen;
    // otherwise this page stays and takes over the order as the cart kept it.
    void confirmationClosed(bool closeRequested);
    // The confirmation asked for the order query: the stack returns to its root and opens the query.
    void openOrderQuery();
    void setRowValue(const QString &key, const QString &value);
    // The credit check of the order as `changed`, beside the cart's value. When it fails the credit
    // alert shows.
    bool creditAllows(const Order &changed);
    QPointer<Screen> presenterForModal();

    PriceList m_priceList;
    QList<int> m_filterItemsArray;
    QPointer<SelectDataViewController> m_selectDataViewController;
};
