#pragma once
// The cart: the right-hand panel of the contract order's slide-menu container. It lists the cart lines
// (unit price, quantity, delivery method, the amount of one page and "× n" pages) with the grand total,
// deletes a line by swiping, opens a line for editing (EditOrderViewController) and starts the
// submission (OrderConfirmViewController). The lines are the order draft's: the rows follow its changes
// one by one from the moment the panel is loaded or first opens, whether the panel is open or not, and
// every change recomputes the total, which is also the cart's value that the credit check counts
// (nowOrderValue). Lines are found by their orderSeq, never by position, so a change between a tap and
// its effect cannot hit another line.
#include "model/Order.h"
#include "model/OrderDraft.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"
#include "ui/SlideMenuControllerDelegate.h"

// A cart line as its row shows it.
struct OrderCartRow {
    QString orderSeq;
    QString name;            // material name
    QString priceText;       // "單價:350.0"
    QString orderNumberText; // " × 12.0"
    QString allPriceText;    // one page: price × quantity, "4200.0"
    QString inco1Text;       // delivery method
    QString pageText;        // footer " × 3"; empty for one page
    static OrderCartRow of(const Order &order);
    friend bool operator==(const OrderCartRow &, const OrderCartRow &) = default;
};

// The navigation-bar button of the contract screens that opens the cart panel of their container.
BarButton cartBarButton(Screen *screen);

class OrderCarViewController : public Screen, public SlideMenuControllerDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per line, roles orderSeq, name, priceText, orderNumberText, allPriceText, inco1Text, pageText.
    Q_PROPERTY(ListModelBase *lines READ lines CONSTANT)
    Q_PROPERTY(QString allAmountText READ allAmountText NOTIFY allAmountTextChanged)

public:
    explicit OrderCarViewController(QObject *parent = nullptr);

    void viewDidLoad() override;

    ListModelBase *lines() { return &m_rows; }
    const QList<OrderCartRow> &rows() const { return m_rows.rows(); }
    QString allAmountText() const { return m_allAmountText; }

    // Opens the line for editing.
    Q_INVOKABLE void selectLine(const QString &orderSeq);
    // A swipe on a row began / ended: the panel's own drag is off meanwhile.
    Q_INVOKABLE void beginSwipe();
    Q_INVOKABLE void endSwipe();
    // Deletes the line (the swipe's delete button).
    Q_INVOKABLE void deleteLine(const QString &orderSeq);
    // The order button: the confirmation of the cart's lines.
    Q_INVOKABLE void orderDone();

    // The editing screen saved a changed line: it replaces the line of that orderSeq in its place.
    void editOrderDone(const QString &orderSeq, const Order &order);

    // ---- SlideMenuControllerDelegate ----
    void leftWillOpen() override;
    void leftDidOpen() override;
    void leftWillClose() override;
    void leftDidClose() override;
    void rightWillOpen() override;
    void rightDidOpen() override;
    void rightWillClose() override;
    void rightDidClose() override;

    // The confirmation has closed (its successClosure) / asked for the order query.
    void successClosure(bool hasFailedLines, bool editRequested, bool closeRequested);
    void orderQueryClosure();

signals:
    void allAmountTextChanged();

private:
    // Follows the draft of the app context from now on (once; the rows are made from it first).
    void followDraft();
    void lineAdded(int row);
    void lineChanged(int row);
    void lineRemoved(int row);
    void linesReset();
    const QList<Order> &draftLines() const;
    void refreshTotal();
    void presentConfirmation();

    QPointer<OrderDraft> m_draft;
    RowListModel<OrderCartRow> m_rows;
    QString m_allAmountText;
    bool m_confirmationPending = false;
};
