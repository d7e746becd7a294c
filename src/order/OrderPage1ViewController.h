#pragma once
// The header page of a normal order: the customer and its credit, and the header rows (order type,
// selling organisation, car/ship kind and remark, delivery method, shipping point) filled from pick
// lists or a prompt. Everything chosen is written into the order draft; "GotoPage2Segue" moves on to
// the item page (a subclass of this page, showing the same draft) once every required row is filled.
//
// Row values are computed off the main thread from the order record and the stored lists and applied
// on the main thread; replies, alerts and pickers are bound to the page and dropped once it has gone.
// The view shows `rows` (roles key, name, detail, selectable, hasAction), changed row by row.
#include "model/ListStore.h"
#include "model/Order.h"
#include "order/OrderTableStruct.h"
#include "services/ServiceTypes.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

class OrderPage1ViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(QString customNameText READ customNameText NOTIFY customNameTextChanged)
    // "信用額度:" and the customer's credit text (CustomerStruct's), once the page has loaded.
    Q_PROPERTY(QString creditsText READ creditsText NOTIFY creditsTextChanged)

public:
    explicit OrderPage1ViewController(QObject *parent = nullptr);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // The order being entered: the draft's.
    const Order &order() const;
    // Whether the header rows every order needs are chosen (order type, car/ship kind, delivery method,
    // shipping point): the item page may show.
    static bool headerComplete(const Order &order);

    QList<OrderType> orderTypeArray() const { return m_orderTypeArray; }
    QList<OrderTableStruct> tableViewArray() const { return m_tableViewArray; }
    // The row with this key, or null.
    const OrderTableStruct *row(const QString &key) const;
    QString customNameText() const;
    QString creditsText() const;
    ListModelBase *rows() { return &m_rows; }
    // Bumped each time computed row values have been applied (tests wait on it).
    int rowsRevision() const { return m_rowsRevision; }

    // A tap on a row of section 0: deselects it and runs its action.
    Q_INVOKABLE virtual void selectRow(int section, int row);

    // ---- row actions ----
    Q_INVOKABLE void orderTypeAction();
    Q_INVOKABLE void transTypeAction();
    Q_INVOKABLE void transTypeRemarkAction();
    Q_INVOKABLE void inco1Action();
    Q_INVOKABLE void tvstzAction();
    // Validation, then the transition to the item page.
    Q_INVOKABLE void nextAction();
    Q_INVOKABLE void closeViewAction();

    // Pushes the item page, where the order's lines are entered.
    void showItems();

signals:
    // The rows were reloaded (the view's list follows row by row; page properties derived from the
    // order notify with it).
    void rowsChanged();
    void customNameTextChanged();
    void creditsTextChanged();
    void orderChanged();

protected:
    // Whether this is the header page itself (not the item page built on it).
    virtual bool isHeaderPage() const { return true; }
    // The order the row operations change, a copy of the draft's.
    Order editedOrder() const { return order(); }
    // A change made by the rep: a changed order gets new identities (orderEditedFrom).
    void storeOrder(const Order &order);
    // The order as the page completes it by itself (header defaults, shipping point), identities kept.
    void setOrder(const Order &order);
    virtual void buildRows();
    // Recomputes the header row values off the main thread, then reloads the rows.
    void refreshRows();
    // Hands the rows as they are now to the view's list.
    void reloadRows();
    OrderTableStruct *mutableRow(const QString &key);
    // Leaves the page: pops it (and whatever is above it) from the navigation stack.
    void leavePage();
    // The alert of a failed query: `title`, the service's message, and "確定" leaving the page.
    void alertThenLeave(const QString &title, const QString &message);

    QList<OrderType> m_orderTypeArray;
    QList<OrderTableStruct> m_tableViewArray;

private:
    void queryCredit();
    void queryShippingPoint();
    void shippingPointReply(const ApiStatus &status);

    // Once the stored list `kind` is there, a picker of its records (read by `reader`, shown by `name`)
    // starting at the text of row `rowKey` shows; `apply` puts the chosen record into the order, then the
    // rows are refreshed. Nothing shows without records.
    template <class Record, class Name, class Apply>
    void pickRecord(const QString &title, const QString &rowKey, const QString &kind,
                    std::optional<QList<Record>> (ListStore::*reader)(), Name name, Apply apply);
    // The offered order types (orderType "1") from the stored list; the first becomes the order's
    // when it has none.
    void applyOrderTypes();
    // Shown when no order type can be offered: "確定" leaves the page.
    void noOrderTypeAlert();
    // The shipping-point row for `vstel`, when the stored list has that point.
    void showShippingPoint(const QString &vstel);

    bool m_showsCredit = false;
    RowListModel<OrderTableStruct> m_rows;
    int m_rowsRevision = 0;
    int m_refreshGeneration = 0;
};
