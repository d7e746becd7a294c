#pragma once
// The order in progress, held by the app context: its kind and customer, the header choices (and, for a
// normal order, the material line being entered), the cart lines with their identities, what is known of
// each submission line (its fate, order number and message), and the time of the last unsuccessful
// submission (the 60-second guard). Every order-entry screen reads it and changes it through these
// functions; no screen keeps a copy. It tells what changed, row by row, so the screens' list models
// follow it: lineAdded/lineChanged/lineRemoved for one cart line, linesReset when the lines were
// replaced as a whole, resultsRecorded when submission lines were sent or answered; changed() after each.
//
// Saved as it changes: one owner-only document per signed-in account ("orderDraft-<account hash>.json" in
// the app's data folder), replaced atomically. Serialising and writing run on a worker thread of its own,
// in the order of the changes; a write that a newer change of the same account follows is skipped. Nothing
// is written at shutdown: what a killed process leaves is what the last finished write left.
// Main thread only.
#include "model/CartState.h"
#include "model/DocumentStore.h"
#include "model/DocumentWriter.h"
#include "model/OrderDraftDocument.h"
#include "model/OrderStatus.h"

#include <QObject>

#include <functional>

class OrderDraft : public QObject
{
    Q_OBJECT
public:
    using Kind = OrderDraftContent::Kind;

    // `folder`: where the documents live; `orderUserName` as CartState takes it.
    OrderDraft(const QString &folder, std::function<QString()> orderUserName, QObject *parent = nullptr);
    ~OrderDraft() override;

    // ---- account ----
    // Signed in as `account`: its stored draft, when one reads, becomes the draft; one that does not read
    // is set aside ("…json.unreadable") with a log line. Never fails.
    void open(const QString &account);
    // Signed out: the draft leaves memory; its document stays for that account.
    void close();
    QString account() const { return m_account; }
    // The document of an account.
    QString documentPath(const QString &account) const;

    // ---- the order ----
    const OrderDraftContent &content() const { return m_content; }
    Kind kind() const { return m_content.kind; }
    const Order &order() const { return m_content.order; }
    // A new order of this kind for this customer: everything of the earlier one goes but the guard.
    void start(Kind kind, const OrderCustomer &customer);
    // The order as it now stands, identities as given.
    void setOrder(const Order &order);
    // The rep changed the order: changed content gets new identities (orderEditedFrom).
    void editOrder(const Order &edited);
    // The order taken back from the outbox to be changed: its kind, customer, header and lines (identities
    // kept: none of them went out) become the draft; nothing is known of a submission; the guard stays.
    void restore(const OrderDraftContent &entered);
    // Worth offering to continue: it has lines or a chosen customer.
    bool resumable() const;
    // Given up (離開下單) or fully ordered: the order and its lines go, and so does the document; the guard
    // stays, and so does what the last answer said (the confirmation still shows it) until the next start.
    void discard();

    // ---- cart lines ----
    const CartState &cart() const { return m_cart; }
    const QList<Order> &lines() const { return m_cart.cartOrderArray(); }
    void setLines(const QList<Order> &lines);
    void appendLine(const Order &line);
    void removeLine(const QString &orderSeq);
    // The rep changed the line `orderSeq`: it is replaced in place, with new identities when its content
    // changed. False when there is no such line.
    bool editLine(const QString &orderSeq, const Order &edited);

    // ---- submission ----
    // What is known of a submission line (notSent and no texts when nothing is).
    LineResult result(const QString &lineSeq) const { return m_content.results.value(lineSeq); }
    LineFate fate(const QString &lineSeq) const { return result(lineSeq).fate; }
    // `line` with what is known of it: success for a placed line, fail for a refused one, else
    // waitToOrder (also while its fate is unknown), with the order number and message of its answer.
    OrderConfirm withResult(OrderConfirm line) const;
    // The lines of the last answer, as they were sent; their results are result(). Empty from a start on.
    const QList<OrderConfirm> &answeredLines() const { return m_answered; }
    // A submission line has gone out without an answer yet.
    bool holdsLinesOfUnknownFate() const;
    // These submission lines are going out now: their fate is unknown until an answer says otherwise.
    void markSent(const QList<OrderConfirm> &lines);
    // The answer to the lines sent, each marked with its result (waitToOrder: the answer named it not),
    // kept as the results of those lines (and only those). Ordered lines leave the cart, refused ones
    // stay under new identities, the others keep theirs.
    void recordAnswer(const QList<OrderConfirm> &answered);

    // The guard's record: when the last submission without success was answered.
    std::optional<double> failedSubmissionAt() const { return m_content.failedSubmissionAt; }
    void setFailedSubmissionAt(std::optional<double> at);

    // ---- saving ----
    // No write is running or waiting.
    bool isSaved() const { return m_writer.isIdle(); }

signals:
    // The cart line at `row` of lines() was added / replaced in place (its identities may be new) /
    // removed (`row` is where it stood).
    void lineAdded(int row);
    void lineChanged(int row);
    void lineRemoved(int row);
    // The cart lines were replaced as a whole (a new order, an answer, another account).
    void linesReset();
    // What is known of these submission lines changed: sent, or answered.
    void resultsRecorded(const QStringList &lineSeqs);
    // After every change of the draft, the ones above included.
    void changed();
    // Every change made so far is on disk.
    void saved();

private:
    // The content changed: the cart follows, `tell` emits what changed, then changed(), then the save.
    void contentChanged(const std::function<void()> &tell = {});
    void queueSave();

    DocumentStore m_store;
    CartState m_cart;
    OrderDraftContent m_content;
    QList<OrderConfirm> m_answered;
    QString m_account;
    DocumentWriter m_writer; // last member: gone first, so a write under way finishes while the rest lives
};
