#pragma once
// The orders waiting to be sent (the outbox) and their stored form: one versioned JSON document per
// account. Each order keeps the submission lines exactly as they will be sent, under their identities,
// with each line's state, the order's kind and customer, the time it was put in and, while nothing of it
// went out, the order as entered. The reader trusts
// nothing: a document that is not an object of this version for this account, or whose lines cannot be
// sent as they are (no identity, an identity twice, an order without lines), is refused as a whole with
// the reason, never read in part.
#include "model/OrderDraftDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// What is known of an outbox line: not sent yet, going out now, placed (sapOrderNo holds its order
// number), refused (sapOrderError holds the server's message), or sent without an answer (it may have
// been placed: it is sent again only under the same identity). A line going out when the app ends is
// stored as unknown.
enum class OutboxLineState { waiting, sending, placed, refused, unknown };

struct OutboxLine {
    OrderConfirm line; // as sent; sapOrderNo / sapOrderError as the answer said
    OutboxLineState state = OutboxLineState::waiting;

    // The state, and the line's orderStatus with it (success when placed, fail when refused).
    void setState(OutboxLineState to);

    friend bool operator==(const OutboxLine &, const OutboxLine &) = default;
};

struct OutboxOrder {
    QString id; // the outbox's own name for the order
    OrderDraftContent::Kind kind = OrderDraftContent::Kind::normal;
    OrderCustomer customer;
    double putAt = 0; // seconds since 1970
    QList<OutboxLine> lines;
    // The order as the rep entered it, kept while none of its lines has gone out, so that the rep can
    // take it back and change it; absent once a line went out (or when it came from elsewhere).
    std::optional<OrderDraftContent> entered;

    // Every line placed: nothing is left to send.
    bool finished() const;
    // A line was refused: the order waits, marked, until the rep removes it.
    bool refused() const;
    // Not refused, and some line is waiting or of unknown fate.
    bool hasLinesToSend() const;
    // The rep can take it back to change it: it was kept as entered and no line has gone out.
    bool changeable() const;

    friend bool operator==(const OutboxOrder &, const OutboxOrder &) = default;
};

struct OutboxContent {
    static constexpr int kVersion = 1;
    QList<OutboxOrder> orders; // oldest first

    friend bool operator==(const OutboxContent &, const OutboxContent &) = default;
};

namespace OutboxDocument {

QByteArray write(const OutboxContent &content, const QString &account);
// The content of `bytes` when it is an outbox of this version for `account`; else nothing, and `why`
// says what is wrong with it.
std::optional<OutboxContent> read(const QByteArray &bytes, const QString &account, QString *why = nullptr);

} // namespace OutboxDocument
