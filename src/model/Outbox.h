#pragma once
// The orders that could not be sent when the rep placed them, per account, oldest first, and their
// sending. Each order keeps its submission lines under their identities; sendNext() sends the oldest
// order with lines to send (waiting, or of unknown fate: sent again under the same identities, which the
// server places once), through the submission guard, one order at a time, and after each answer the
// next. Placed lines are never sent again; an order whose lines are all placed leaves the outbox
// (orderFinished). A refused order stays, marked, until the rep removes it, and the orders behind it go
// on. When an answer does not come (the connection failed, the answer is no JSON) the lines sent are of
// unknown fate and sending stops until resume() — called when the gateway answers again.
//
// Saved as it changes: one owner-only document per signed-in account ("outbox-<account hash>.json" in
// the app's data folder), replaced atomically on the shared writer thread. A document that does not read
// is set aside ("…json.unreadable") with a log line. Main thread only.
#include "model/DocumentStore.h"
#include "model/DocumentWriter.h"
#include "model/OutboxDocument.h"
#include "services/ServiceTypes.h"

#include <QObject>
#include <QTimer>

#include <functional>

class SubmissionGuard;

class Outbox : public QObject
{
    Q_OBJECT
public:
    // Asked just before an order goes out whether the customer's credit still allows it, with a fresh
    // answer: the order is sent (passes), refused with the reason (refused), or, when the credit could not
    // be asked (no answer), waits as after a missing answer (unknown). Until the app sets one, every
    // order passes.
    struct CreditVerdict {
        enum Outcome { passes, refused, unknown } outcome = passes;
        QString why;
    };
    using CreditCheck = std::function<void(const OutboxOrder &order, std::function<void(const CreditVerdict &)> done)>;

    // `folder`: where the documents live. Lines are sent for the signed-in account (the user id) with
    // `mailAddress` as its notice address.
    Outbox(const QString &folder, SubmissionGuard &guard, std::function<QString()> mailAddress, QObject *parent = nullptr);
    ~Outbox() override;

    // ---- account ----
    // Signed in as `account`: its stored outbox, when one reads, is the outbox. Sending waits for resume().
    void open(const QString &account);
    // Signed out: the orders leave memory, their document stays for that account; an answer still on its
    // way is not applied.
    void close();
    QString account() const { return m_account; }
    QString documentPath(const QString &account) const;

    // ---- the orders ----
    const QList<OutboxOrder> &orders() const { return m_content.orders; }
    const OutboxOrder *order(const QString &id) const;
    // Puts an order's submission lines in, as they are (identities kept), after the others, each in
    // `state`: waiting when they were never sent, unknown when they went out and no answer came.
    // `entered`: the order as entered, which lets the rep take it back while its lines wait. Gives its
    // id; empty when no account is open or there are no lines.
    QString add(OrderDraftContent::Kind kind, const OrderCustomer &customer, const QList<OrderConfirm> &lines,
                OutboxLineState state = OutboxLineState::waiting,
                const std::optional<OrderDraftContent> &entered = std::nullopt);
    // The rep removes an order (one going out now stays). False when there is no such order.
    bool remove(const QString &id);
    // The rep takes a waiting order back to change it: it leaves the outbox and its order as entered is
    // given. Nothing when there is no such order, it is not changeable, or it is going out now.
    std::optional<OrderDraftContent> takeBack(const QString &id);

    // ---- sending ----
    void setCreditCheck(CreditCheck check);
    // Sends the oldest order with lines to send, unless one is going out, sending stopped, or the guard
    // holds submissions back (then it tries again when the guard allows).
    void sendNext();
    // The gateway answers again: sending goes on.
    void resume();
    bool isSending() const { return !m_sendingId.isEmpty(); }
    // The order going out now (its credit check or its submission); empty when none.
    QString sendingOrder() const { return m_sendingId; }
    bool isStopped() const { return m_stopped; }
    bool waitsForGuard() const { return m_guardTimer.isActive(); }

    bool isSaved() const { return m_writer.isIdle(); }

signals:
    void orderAdded(const QString &id);
    void orderRemoved(const QString &id);
    // The state of line `orderSeq` of order `id` changed.
    void lineStateChanged(const QString &id, const QString &orderSeq);
    // A line of order `id` was refused; `message` is what the server (or the credit check) said.
    void orderRefused(const QString &id, const QString &message);
    // Every line of `order` is placed; it has left the outbox.
    void orderFinished(const OutboxOrder &order);
    // An answer did not come: sending waits for resume().
    void sendingStopped();
    // Every change made so far is on disk.
    void saved();

private:
    OutboxOrder *find(const QString &id);
    void setStates(OutboxOrder &order, const std::function<std::optional<OutboxLineState>(const OutboxLine &)> &to);
    void send(const QString &id);
    void refuse(const QString &id, const QString &message, bool onlyUnplaced);
    void answered(const QString &id, const QList<OrderConfirm> &sent, const ApiStatus &status);
    void changed();

    DocumentStore m_store;
    SubmissionGuard &m_guard;
    std::function<QString()> m_mailAddress;
    CreditCheck m_creditCheck;
    OutboxContent m_content;
    QString m_account;
    QString m_sendingId;      // the order going out (credit check or submission), empty when none
    quint64 m_session = 0;    // counts opens and closes: an answer for an earlier one is not applied
    bool m_stopped = true;
    QTimer m_guardTimer;
    DocumentWriter m_writer; // last member: gone first, so a write under way finishes while the rest lives
};
