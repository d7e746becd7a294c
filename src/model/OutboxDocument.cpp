#include "model/OutboxDocument.h"

#include "model/DocumentStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The text members of a stored line, for writing and reading alike.
const std::initializer_list<std::pair<const char *, QString OrderConfirm::*>> kLineTexts{
    {"auart", &OrderConfirm::auart},         {"vgbel", &OrderConfirm::vgbel},
    {"vkorg", &OrderConfirm::vkorg},         {"vtweg", &OrderConfirm::vtweg},
    {"spart", &OrderConfirm::spart},         {"kunwe", &OrderConfirm::kunwe},
    {"kunag", &OrderConfirm::kunag},         {"bstkd", &OrderConfirm::bstkd},
    {"posnr", &OrderConfirm::posnr},         {"matnr", &OrderConfirm::matnr},
    {"kwmeng", &OrderConfirm::kwmeng},       {"kbetr", &OrderConfirm::kbetr},
    {"plant", &OrderConfirm::plant},         {"bzirk", &OrderConfirm::bzirk},
    {"inco1", &OrderConfirm::inco1},         {"inco1bezei", &OrderConfirm::inco1bezei},
    {"inco2", &OrderConfirm::inco2},         {"zterm", &OrderConfirm::zterm},
    {"vstel", &OrderConfirm::vstel},         {"route", &OrderConfirm::route},
    {"rootSeq", &OrderConfirm::rootSeq},     {"orderSeq", &OrderConfirm::orderSeq},
    {"matnrName", &OrderConfirm::matnrName}, {"kunweName", &OrderConfirm::kunweName},
    {"orderUserName", &OrderConfirm::orderUserName}, {"sapOrderNo", &OrderConfirm::sapOrderNo},
    {"sapOrderError", &OrderConfirm::sapOrderError}};

// A line going out is stored as of unknown fate: that is what it is should the app end now.
const std::initializer_list<std::pair<const char *, OutboxLineState>> kStates{
    {"waiting", OutboxLineState::waiting}, {"placed", OutboxLineState::placed},
    {"refused", OutboxLineState::refused}, {"unknown", OutboxLineState::unknown}};

const std::initializer_list<std::pair<const char *, OrderDraftContent::Kind>> kKinds{
    {"normal", OrderDraftContent::Kind::normal}, {"contract", OrderDraftContent::Kind::contract}};

template <class T, class Table> const char *nameOf(T value, const Table &table)
{
    for (const auto &[name, v] : table) {
        if (v == value)
            return name;
    }
    return nullptr;
}

template <class T, class Table> std::optional<T> valueOf(const QJsonValue &json, const Table &table)
{
    for (const auto &[name, v] : table) {
        if (json == QJsonValue(QLatin1String(name)))
            return v;
    }
    return std::nullopt;
}

} // namespace

void OutboxLine::setState(OutboxLineState to)
{
    state = to;
    line.orderStatus = to == OutboxLineState::placed    ? SapOrderStatus::success
                       : to == OutboxLineState::refused ? SapOrderStatus::fail
                                                        : SapOrderStatus::waitToOrder;
}

bool OutboxOrder::finished() const
{
    return std::all_of(lines.cbegin(), lines.cend(),
                       [](const OutboxLine &l) { return l.state == OutboxLineState::placed; });
}

bool OutboxOrder::refused() const
{
    return std::any_of(lines.cbegin(), lines.cend(),
                       [](const OutboxLine &l) { return l.state == OutboxLineState::refused; });
}

bool OutboxOrder::hasLinesToSend() const
{
    return !refused() && std::any_of(lines.cbegin(), lines.cend(), [](const OutboxLine &l) {
        return l.state == OutboxLineState::waiting || l.state == OutboxLineState::unknown;
    });
}

bool OutboxOrder::changeable() const
{
    return entered && std::all_of(lines.cbegin(), lines.cend(),
                                  [](const OutboxLine &l) { return l.state == OutboxLineState::waiting; });
}

namespace OutboxDocument {

QByteArray write(const OutboxContent &content, const QString &account)
{
    QJsonArray orders;
    for (const OutboxOrder &order : content.orders) {
        QJsonArray lines;
        for (const OutboxLine &line : order.lines) {
            QJsonObject o;
            for (const auto &[key, member] : kLineTexts)
                o.insert(QLatin1String(key), line.line.*member);
            const OutboxLineState stored =
                line.state == OutboxLineState::sending ? OutboxLineState::unknown : line.state;
            o.insert("state"_L1, QLatin1String(nameOf(stored, kStates)));
            lines.append(o);
        }
        const char *kind = nameOf(order.kind, kKinds);
        QJsonObject o{{"id"_L1, order.id},
                      {"kind"_L1, QLatin1String(kind ? kind : "normal")},
                      {"customer"_L1, OrderDraftDocument::customerObject(order.customer)},
                      {"putAt"_L1, order.putAt},
                      {"lines"_L1, lines}};
        if (order.changeable())
            o.insert("entered"_L1, OrderDraftDocument::contentObject(*order.entered));
        orders.append(o);
    }
    return QJsonDocument(QJsonObject{{"version"_L1, OutboxContent::kVersion},
                                     {"account"_L1, account},
                                     {"orders"_L1, orders}})
        .toJson(QJsonDocument::Compact);
}

std::optional<OutboxContent> read(const QByteArray &bytes, const QString &account, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    const std::optional<QJsonObject> stored =
        DocumentStore::accountRoot(bytes, account, OutboxContent::kVersion, QStringLiteral("outbox"), why);
    if (!stored)
        return std::nullopt;
    const QJsonObject &root = *stored;
    const QJsonValue orders = root.value("orders"_L1);
    if (!orders.isArray())
        return refuse(QStringLiteral("\"orders\" missing"));

    OutboxContent content;
    QSet<QString> ids;
    QSet<QString> seqs;
    for (const QJsonValue &value : orders.toArray()) {
        const QJsonObject o = value.toObject();
        OutboxOrder order;
        order.id = o.value("id"_L1).toString();
        if (order.id.isEmpty() || ids.contains(order.id))
            return refuse(QStringLiteral("an order without its own \"id\""));
        ids.insert(order.id);
        const std::optional<OrderDraftContent::Kind> kind = valueOf<OrderDraftContent::Kind>(o.value("kind"_L1), kKinds);
        const std::optional<OrderCustomer> customer = OrderDraftDocument::readCustomer(o.value("customer"_L1));
        const QJsonValue putAt = o.value("putAt"_L1);
        if (!kind || !customer || !putAt.isDouble() || !std::isfinite(putAt.toDouble()))
            return refuse(QStringLiteral("an order's \"kind\", \"customer\" or \"putAt\" unreadable"));
        order.kind = *kind;
        order.customer = *customer;
        order.putAt = putAt.toDouble();
        const QJsonArray lines = o.value("lines"_L1).toArray();
        if (lines.isEmpty())
            return refuse(QStringLiteral("an order without lines"));
        for (const QJsonValue &lineValue : lines) {
            const QJsonObject l = lineValue.toObject();
            OutboxLine line;
            for (const auto &[key, member] : kLineTexts) {
                const QJsonValue text = l.value(QLatin1String(key));
                if (!text.isString())
                    return refuse(QStringLiteral("a line's \"%1\" missing or unreadable").arg(QLatin1String(key)));
                line.line.*member = text.toString();
            }
            const std::optional<OutboxLineState> state = valueOf<OutboxLineState>(l.value("state"_L1), kStates);
            if (!state)
                return refuse(QStringLiteral("a line's \"state\" unreadable"));
            line.setState(*state);
            // The server places a line once per identity: one without, or one named twice, cannot be sent.
            if (line.line.orderSeq.isEmpty() || line.line.rootSeq.isEmpty() || seqs.contains(line.line.orderSeq))
                return refuse(QStringLiteral("a line without its own identity"));
            seqs.insert(line.line.orderSeq);
            order.lines.append(line);
        }
        if (o.contains("entered"_L1)) {
            QString enteredWhy;
            order.entered = OrderDraftDocument::readContent(o.value("entered"_L1).toObject(), &enteredWhy);
            if (!order.entered)
                return refuse(QStringLiteral("an order's \"entered\": ") + enteredWhy);
        }
        content.orders.append(order);
    }
    return content;
}

} // namespace OutboxDocument
