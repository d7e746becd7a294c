#pragma once
// One cart line or one submitted line on a screen of its own, in one of two uses:
//
// - edit (setOrder): the rep changes a cart line's transport kind, remark (at most 15 characters),
//   delivery method, quantity (up to the material's maximum), unit price (not below the service's
//   price) and number of copies (1 to 30). Quantity, price and copies pass the credit check: the cart's
//   value with the line as changed in place of the line as opened; a refused change leaves the order
//   as it was. The screen works on its own copy:
//   only saving hands it back, through editOrderDone(), which the cart uses to replace the line.
// - display (showOrderConfirm, or forDisplay): one submission line read-only, titled "訂單資訊",
//   without save or cancel, with taps doing nothing. Pushed by the notice-mail screens.
#include "model/Order.h"
#include "order/OrderTableStruct.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <optional>

class Storyboard;

// A row of the edit screen's first section.
struct EditOrderRow {
    QString key;   // "vbeln", "matnr", "maktx", "transName", "remark", "bezei", "orderNumber", "price", "total", …
    QString name;  // localised title
    QString value; // detail text
    EditType editType = EditType::none;
    friend bool operator==(const EditOrderRow &, const EditOrderRow &) = default;
};

class EditOrderViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // Section 0, roles key, name, value and editable (tapping runs its action).
    Q_PROPERTY(ListModelBase *rows READ rowModel CONSTANT)
    Q_PROPERTY(bool displayMode READ isDisplayMode NOTIFY displayTypeChanged)
    // The copy-count row of section 1 ("複製訂單總數  × 3"); empty while there is one copy.
    Q_PROPERTY(QString copyCountText READ copyCountText NOTIFY orderChanged)

public:
    enum class DisplayType { edit, display };

    explicit EditOrderViewController(QObject *parent = nullptr);

    // The display use in one call: a new screen from the storyboard showing `line` read-only, or null
    // when the storyboard has no such scene. The caller pushes or presents it.
    static EditOrderViewController *forDisplay(Storyboard *storyboard, const OrderConfirm &line);

    DisplayType displayType() const { return m_displayType; }
    bool isDisplayMode() const { return m_displayType == DisplayType::display; }
    // Edit use: the order to change (a copy; the cart is untouched until saved).
    void setOrder(const Order &order);
    const Order &order() const { return m_order; }
    // Display use: the submitted line to show read-only.
    void showOrderConfirm(const OrderConfirm &line);
    const std::optional<OrderConfirm> &orderConfirm() const { return m_orderConfirm; }

    ListModelBase *rowModel() { return &m_rows; }
    const QList<EditOrderRow> &tableArray() const { return m_rows.rows(); }
    QString copyCountText() const;

    void viewDidLoad() override;

    // A tap on row `row` of section 0: runs its action in the edit use.
    Q_INVOKABLE void selectRow(int row);
    Q_INVOKABLE void saveEditAction();
    Q_INVOKABLE void close();
    Q_INVOKABLE void copyOrderAction();
    Q_INVOKABLE void editTransName();
    Q_INVOKABLE void editTransNameRemark();
    Q_INVOKABLE void editBezei();
    Q_INVOKABLE void editOrderNumber();
    Q_INVOKABLE void editKbetr();

signals:
    void displayTypeChanged();
    void orderChanged();
    // The rep saved the edited order (the screen is closing). `orderSeq` is the line's as opened.
    void editOrderDone(const QString &orderSeq, const Order &order);

private:
    void buildRows();
    void changeOrder(const Order &order);
    void applyQuantity(const QString &text);
    void applyPrice(float price);
    void applyCopies(int pages);
    // The credit check of `changed` in place of the line as opened (which the cart's value counts),
    // whatever was edited before. Shows the credit alert when refused.
    bool creditAllows(const Order &changed);
    void updateTitle();

    DisplayType m_displayType = DisplayType::edit;
    Order m_order;
    float m_countedValue = 0; // the line's value as opened, part of the cart's value
    std::optional<OrderConfirm> m_orderConfirm;
    RowListModel<EditOrderRow> m_rows;
    bool m_saved = false;
};
