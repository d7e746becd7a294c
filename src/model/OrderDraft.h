#pragma once
// The order in progress, held by the app context: its kind and customer, the header choices (and, for a
// normal order, the material line being entered), the cart lines with their identities and each line's
// known fate, and the time of the last unsuccessful submission (the 60-second guard). Every order-entry
// screen reads it and changes it through these functions; no screen keeps a copy that another writes.
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
    // Worth offering to continue: it has lines or a chosen customer.
    bool resumable() const;
    // Given up (離開下單) or fully ordered: everything but the guard goes, and so does the document.
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
    LineFate fate(const QString &lineSeq) const { return m_content.fates.value(lineSeq, LineFate::notSent); }
    // A submission line has gone out without an answer yet.
    bool holdsLinesOfUnknownFate() const;
    // These submission lines are going out now: their fate is unknown until an answer says otherwise.
    void markSent(const QList<OrderConfirm> &lines);
    // The answer to the lines sent, each marked with its result (waitToOrder: the answer named it not).
    // Ordered lines leave the cart, refused ones stay under new identities, the others keep theirs.
    void recordAnswer(const QList<OrderConfirm> &answered);

    // The guard's record: when the last submission without success was answered.
    std::optional<double> failedSubmissionAt() const { return m_content.failedSubmissionAt; }
    void setFailedSubmissionAt(std::optional<double> at);

    // ---- saving ----
    // No write is running or waiting.
    bool isSaved() const { return m_writer.isIdle(); }

signals:
    void changed();
    // Every change made so far is on disk.
    void saved();

private:
    void contentChanged();
    void queueSave();

    DocumentStore m_store;
    CartState m_cart;
    OrderDraftContent m_content;
    QString m_account;
    DocumentWriter m_writer; // last member: gone first, so a write under way finishes while the rest lives
};
