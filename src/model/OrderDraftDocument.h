#pragma once
// The stored form of the order draft: one versioned JSON document per account. The reader trusts nothing:
// a document that is not an object of this version for this account, or whose lines cannot be sent as
// they are (no identity, copies outside 1–30, numbers a float cannot hold), is refused as a whole with the
// reason, never read in part.
#include "model/Order.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// What is known of a submission line's identity: never sent, placed, refused, or sent without an answer
// (it may have been placed: only a resend under the same identity keeps it from being placed twice).
enum class LineFate { notSent, ordered, refused, unknown };

struct OrderDraftContent {
    enum class Kind { none, normal, contract };
    static constexpr int kVersion = 1;

    Kind kind = Kind::none;
    Order order;                   // the customer and header choices; for a normal order also its material line
    QList<Order> lines;            // the cart lines
    QHash<QString, LineFate> fates; // by line identity; absent means not sent
    std::optional<double> failedSubmissionAt; // seconds since 1970 of the last unsuccessful submission

    friend bool operator==(const OrderDraftContent &, const OrderDraftContent &) = default;
};

namespace OrderDraftDocument {

QByteArray write(const OrderDraftContent &content, const QString &account);
// The content of `bytes` when it is a draft of this version for `account`; else nothing, and `why` says
// what is wrong with it.
std::optional<OrderDraftContent> read(const QByteArray &bytes, const QString &account, QString *why = nullptr);

} // namespace OrderDraftDocument
