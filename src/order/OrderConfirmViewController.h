#pragma once
// The order confirmation: the submission lines of the cart and their total; submits them
// (ZSD_CREATE_EIP_ORDER2 through the submission guard), then has the draft record every line's result
// and keep in the cart only what was not ordered, and offers the next steps: order query, close (all
// ordered) or edit (some not ordered), and the notice mail when a line was ordered and recipients exist.
// Its rows are the order draft's and follow it: until an answer, the cart's submission lines; once this
// screen's submission is answered, the lines of that answer; each with what the draft knows of it.
// When the gateway cannot be reached (known before, or found by the submission) the lines go to the outbox
// instead, and the rows follow them there: waiting, sending, placed with its order number, refused.
// The opener connects to successClosure() and orderQueryClosure(); both are emitted after this screen
// has closed.
#include "model/OrderDraft.h"
#include "model/Outbox.h"
#include "model/OrderStatus.h"
#include "order/OrderConfirmMailScreen.h"
#include "services/ServiceTypes.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <QColor>

#include <utility>

class NavigationController;
class Storyboard;

// A button of the confirmation's button row: what it does (also its objectName), its text and colour.
struct OrderConfirmButton {
    QString id; // "confirmButton", "orderQueryButton", "closeButton" or "editOrderButton"
    QString title;
    QColor accent;
    friend bool operator==(const OrderConfirmButton &, const OrderConfirmButton &) = default;
};

class OrderConfirmViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per line, roles: name, priceText, orderNumberText, inco1Text, allPriceText, answered
    // (the line has a result: its result row shows), statusText, messageText, statusColor.
    Q_PROPERTY(ListModelBase *sections READ sections CONSTANT)
    Q_PROPERTY(QString amountText READ amountText NOTIFY amountTextChanged)
    Q_PROPERTY(bool amountViewHidden READ isAmountViewHidden NOTIFY stateChanged)
    // The button row, in order, roles buttonId (an OrderConfirmButton's id), title and accent; a tap
    // goes to buttonTapped(buttonId).
    Q_PROPERTY(ListModelBase *buttons READ buttonsModel CONSTANT)
    Q_PROPERTY(bool sendMailButtonViewHidden READ isSendMailButtonViewHidden NOTIFY stateChanged)
    Q_PROPERTY(QString sendMailButtonTitle READ sendMailButtonTitle NOTIFY stateChanged)
    Q_PROPERTY(bool sendMailButtonEnabled READ isSendMailButtonEnabled NOTIFY stateChanged)

public:
    explicit OrderConfirmViewController(QObject *parent = nullptr);

    // What an opener's order-query closure does: `stack` returns to its root, then the order query is pushed
    // on it. Popping may delete the caller's own page, so the push is bound to the stack alone.
    static void openOrderQueryOnRoot(NavigationController *stack, Storyboard *storyboard);

    void viewDidLoad() override;

    // The lines shown, with their results.
    QList<OrderConfirm> tableArray() const;
    QString amountText() const { return m_amountText; }
    bool isAmountViewHidden() const { return m_amountViewHidden; }
    ListModelBase *sections() { return &m_sections; }
    ListModelBase *buttonsModel() { return &m_buttons; }
    // The ids of the button row, in order.
    QStringList buttonIds() const;
    QColor orderQueryButtonColor() const { return m_orderQueryButtonColor; }
    bool isSendMailButtonViewHidden() const { return m_sendMailButtonViewHidden; }
    QString sendMailButtonTitle() const { return m_sendMailButtonTitle; }
    bool isSendMailButtonEnabled() const { return m_sendMailButtonEnabled; }

    // ---- table ----
    int numberOfSections() const { return m_sections.size(); }
    // 1 while the line has no result, else 2.
    int numberOfRows(int section) const;
    // Texts of the line row (OrderCartCell) of a section.
    struct CartCellTexts {
        QString nameLabel, priceLabel, orderNumberLabel, allPriceLabel, inco1Label;
        friend bool operator==(const CartCellTexts &, const CartCellTexts &) = default;
    };
    CartCellTexts cartCell(int section) const;
    static CartCellTexts cartCell(const OrderConfirm &line);
    // Texts and background of the result row (OrderConfirmStatusCell) of a section.
    struct StatusCellTexts {
        QString statusLabel, messageLabel;
        QColor background;
        friend bool operator==(const StatusCellTexts &, const StatusCellTexts &) = default;
    };
    // A section as drawn: the line's identity, whether it has a result, its two cells.
    struct Section {
        QString orderSeq;
        bool answered = false;
        CartCellTexts cart;
        StatusCellTexts status;
        static Section of(const OrderConfirm &line);
        friend bool operator==(const Section &, const Section &) = default;
    };
    StatusCellTexts statusCell(int section) const;
    static StatusCellTexts statusCell(const OrderConfirm &line);
    Q_INVOKABLE void selectRow(int section, int row) { Q_UNUSED(section) Q_UNUSED(row) }

    // ---- actions ----
    // A button of the button row was tapped.
    Q_INVOKABLE void buttonTapped(const QString &buttonId);
    Q_INVOKABLE void orderAction();
    Q_INVOKABLE void orderQueryAction();
    // `sender`: "closeButton", "editOrderButton" or "cancel" (the cancel bar button).
    Q_INVOKABLE void closeAction(const QString &sender);
    // Opens the notice-mail screen, handing it the lines and listening to its sentSuccessClosure().
    Q_INVOKABLE void sentMailAction();

signals:
    void tableReloaded();
    void amountTextChanged();
    void stateChanged();
    // The confirmation has closed: whether a line failed, and whether the rep asked to edit the order
    // or closed after a full success (neither: cancelled).
    void successClosure(bool hasFailedLines, bool editRequested, bool closeRequested);
    // The confirmation has closed for the order query.
    void orderQueryClosure();

private:
    // The lines shown, as the draft holds them (without results).
    const QList<OrderConfirm> &shownLines() const;
    // The sections and the total follow the draft.
    void followDraft();
    // `sent`: the lines the answer is for.
    void handleAnswer(const ApiStatus &status, const QList<OrderConfirm> &sent);
    // The gateway cannot be reached: the lines go to the outbox in `state`, the rows follow them there.
    void holdInOutbox(const QList<OrderConfirm> &lines, OutboxLineState state);
    // The rows from the outbox's order (or `finished`, the order as it left the outbox).
    void followOutbox(const OutboxOrder *finished = nullptr);
    void afterAttempt();
    bool mailScreenAvailable() const;
    void mailSent();
    void setButtons(const QStringList &ids);

    QPointer<OrderDraft> m_draft;
    bool m_showsAnswer = false; // this screen's submission was answered: its lines are shown
    QString m_outboxId;         // the order handed to the outbox, empty when none
    RowListModel<Section> m_sections;
    RowListModel<OrderConfirmButton> m_buttons;
    QString m_amountText;
    bool m_amountViewHidden = false;
    QColor m_orderQueryButtonColor;
    bool m_sendMailButtonViewHidden = true;
    QString m_sendMailButtonTitle;
    bool m_sendMailButtonEnabled = true;
};
