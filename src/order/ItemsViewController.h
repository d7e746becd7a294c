#pragma once
// The materials of the chosen contract ("選擇品種"), fetched on every appearance, with price, delivery
// method and the most that may still be ordered. Choosing one opens the quantity entry
// (EnterOrderInfoViewController) for a line of its own, which appends it to the cart.
#include "model/Order.h"
#include "services/ServiceTypes.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

class ItemsViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per material, roles itemNameText ("maktx (matnr)"), inco1Text, priceText, amountText.
    Q_PROPERTY(ListModelBase *items READ itemRows CONSTANT)

public:
    explicit ItemsViewController(QObject *parent = nullptr);

    const Order &order() const { return m_order; }
    void setOrder(const Order &order) { m_order = order; }
    const QList<OrderItem> &itemsArray() const { return m_itemRows.rows(); }
    ListModelBase *itemRows() { return &m_itemRows; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    // Opens the quantity entry for the material in `row`.
    Q_INVOKABLE void selectRow(int row);

    // The materials of a ZSD_GET_CUST_CONTRACT1 answer, each with the name of its delivery method.
    static QList<OrderItem> materials(const QJsonObject &answer, const QList<Inco1> &methods);

private:
    void itemsReply(const ApiStatus &status);

    Order m_order;
    RowListModel<OrderItem> m_itemRows;
};
