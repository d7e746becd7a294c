#pragma once
// The stored form of the order draft: one versioned JSON document per account. The reader trusts nothing:
// a document that is not an object of this version for this account, or whose lines cannot be sent as
// they are (no identity, copies outside 1–30, numbers a float cannot hold), is refused as a whole with the
// reason, never read in part.
//
// Version 1 as written since the start, plus "results" (the order number and message of answered lines),
// written only when some line has one: a document of an order never answered stays as it always was, and
// an older app still reads the newer documents (it ignores the member).
#include "model/Order.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QString>

#include <optional>

// What is known of a submission line's identity: never sent, placed, refused, or sent without an answer
// (it may have been placed: only a resend under the same identity keeps it from being placed twice).
enum class LineFate { notSent, ordered, refused, unknown };

// What is known of one submission line: its fate and what the server said of it (the order number of a
// placed line, the message of a refused one; either may come with any answer).
struct LineResult {
    LineFate fate = LineFate::notSent;
    QString sapOrderNo;    // "otVbeln" of the answer
    QString sapOrderError; // "returnMsg" of the answer

    friend bool operator==(const LineResult &, const LineResult &) = default;
};

struct OrderDraftContent {
    enum class Kind { none, normal, contract };
    static constexpr int kVersion = 1;

    Kind kind = Kind::none;
    Order order;                   // the customer and header choices; for a normal order also its material line
    QList<Order> lines;            // the cart lines
    QHash<QString, LineResult> results; // by line identity; absent means not sent
    std::optional<double> failedSubmissionAt; // seconds since 1970 of the last unsuccessful submission

    friend bool operator==(const OrderDraftContent &, const OrderDraftContent &) = default;
};

namespace OrderDraftDocument {

QByteArray write(const OrderDraftContent &content, const QString &account);
// The content of `bytes` when it is a draft of this version for `account`; else nothing, and `why` says
// what is wrong with it.
std::optional<OrderDraftContent> read(const QByteArray &bytes, const QString &account, QString *why = nullptr);

// The content alone, without the document's version and account: for documents that keep an order as
// entered inside their own.
QJsonObject contentObject(const OrderDraftContent &content);
std::optional<OrderDraftContent> readContent(const QJsonObject &object, QString *why = nullptr);

// The customer of an order as the draft stores it (its number, name, sales district, company and sales
// organisation), for the other documents that keep an order's customer; reading gives nothing unless every
// member is a text.
QJsonObject customerObject(const OrderCustomer &customer);
std::optional<OrderCustomer> readCustomer(const QJsonValue &value);

} // namespace OrderDraftDocument
