#include "model/OrderResult.h"

#include "model/JsonRules.h"

#include <QHash>
#include <QJsonObject>

void markOrderResults(QList<OrderConfirm> &lines, const QJsonArray &orderList)
{
    QHash<QString, qsizetype> lineOf; // first line of each identity
    lineOf.reserve(lines.size());
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        lineOf.insert(lines.at(i).orderSeq, i);
    for (const QJsonValue &value : orderList) {
        const QJsonObject answer = value.toObject();
        const QJsonValue seq = answer.value(QStringLiteral("orderSeq"));
        if (!seq.isString())
            continue;
        const qsizetype at = lineOf.value(seq.toString(), -1);
        if (at < 0)
            continue;
        OrderConfirm &line = lines[at];
        line.orderStatus = answer.value(QStringLiteral("returnCode")).toString() == QLatin1String("S")
                               ? SapOrderStatus::success
                               : SapOrderStatus::fail;
        line.sapOrderError = readText(answer, QStringLiteral("returnMsg"));
        line.sapOrderNo = readText(answer, QStringLiteral("otVbeln"));
    }
}

QList<Order> ordersLeft(const QList<OrderConfirm> &lines, const QList<Order> &cart)
{
    QHash<QString, qsizetype> cartOrderOf;
    for (qsizetype i = cart.size() - 1; i >= 0; --i)
        cartOrderOf.insert(cart.at(i).orderSeq, i);
    QList<Order> left;
    QList<QStringList> leftSeqs;
    QHash<QString, qsizetype> leftOf; // rootSeq → entry of `left`
    for (const OrderConfirm &line : lines) {
        if (line.orderStatus == SapOrderStatus::success)
            continue;
        const QString seq = line.orderStatus == SapOrderStatus::fail ? newOrderSeq() : line.orderSeq;
        const qsizetype existing = leftOf.value(line.rootSeq, -1);
        if (existing >= 0) {
            leftSeqs[existing] << seq;
            continue;
        }
        const qsizetype source = cartOrderOf.value(line.rootSeq, -1);
        if (source < 0)
            continue;
        leftOf.insert(line.rootSeq, left.size());
        left.append(cart.at(source));
        leftSeqs.append({seq});
    }
    for (qsizetype i = 0; i < left.size(); ++i) {
        Order &order = left[i];
        const QStringList &seqs = leftSeqs.at(i);
        order.orderPage = int(seqs.size());
        order.orderSeq = seqs.first();
        order.copySeqs = seqs.mid(1);
    }
    return left;
}
