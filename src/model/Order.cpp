#include "model/Order.h"

#include "model/NumberText.h"

#include <QJsonArray>
#include <QLoggingCategory>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {
Q_LOGGING_CATEGORY(lcOrderRecords, "zelk.model", QtWarningMsg)
}

QString newOrderSeq()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

bool sameContent(const Order &a, const Order &b)
{
    Order x = a;
    x.orderSeq = b.orderSeq;
    x.copySeqs = b.copySeqs;
    return x == b;
}

Order orderEditedFrom(const Order &edited, const Order &before)
{
    if (sameContent(edited, before))
        return edited;
    Order renewed = edited;
    renewed.orderSeq = newOrderSeq();
    renewed.copySeqs.clear();
    return renewed;
}

QStringList lineSeqs(const Order &order)
{
    QStringList seqs{order.orderSeq};
    const QUuid root = QUuid::fromString(order.orderSeq);
    for (int copy = 1; copy < order.orderPage; ++copy) {
        const QString kept = order.copySeqs.value(copy - 1);
        seqs << (!kept.isEmpty() ? kept
                                 : QUuid::createUuidV5(root, QString::number(copy))
                                       .toString(QUuid::WithoutBraces)
                                       .toUpper());
    }
    return seqs;
}

QList<OrderConfirm> createOrderConfirmArray(const Order &order, const QString &orderUserName)
{
    qCDebug(lcOrderRecords).noquote()
        << "order:" << order.orderSeq << "customer" << order.orderCustomer.kunnr << "contract"
        << order.contract2.vbeln << "auart" << order.contract2.auarth << "matnr" << order.orderItem.matnr
        << "quantity" << numberText(order.orderItem.orderNumber) << "price"
        << numberText(order.orderItem.price) << "pages" << order.orderPage;

    OrderConfirm line;
    line.auart = order.contract2.auarth;
    line.vgbel = order.contract2.vbeln;
    line.vkorg = order.contract2.vkorg;
    line.vtweg = QStringLiteral("10");
    line.spart = QStringLiteral("01");
    line.kunwe = order.orderCustomer.kunnr;
    line.kunag = order.orderCustomer.kunnr;
    line.bstkd = order.transport.transName + u' ' + order.transportRemark;
    line.posnr = QStringLiteral("01");
    line.matnr = order.orderItem.matnr;
    line.kwmeng = numberText(order.orderItem.orderNumber);
    // The price the user may have raised, not the service's kbetr.
    line.kbetr = numberText(order.orderItem.price);
    line.plant = order.orderItem.werks;
    line.bzirk = order.orderItem.bzirk;
    line.inco1 = order.inco1.inco1;
    line.inco1bezei = order.inco1.bezei;
    line.inco2 = order.inco2.inco2;
    line.zterm = order.orderItem.zterm;
    line.vstel = order.orderItem.vstel;
    line.route = order.orderItem.route;
    line.rootSeq = order.orderSeq;
    line.orderSeq = order.orderSeq;
    line.matnrName = order.orderItem.maktx;
    line.kunweName = order.orderCustomer.name1;
    line.orderUserName = orderUserName;

    const QStringList seqs = lineSeqs(order);
    QList<OrderConfirm> lines;
    lines.reserve(seqs.size());
    for (const QString &seq : seqs) {
        lines.append(line);
        lines.last().orderSeq = seq;
    }

    if (lcOrderRecords().isDebugEnabled()) {
        for (const OrderConfirm &l : std::as_const(lines))
            qCDebug(lcOrderRecords).noquote()
                << "line:" << l.orderSeq << "root" << l.rootSeq << "matnr" << l.matnr << "kwmeng" << l.kwmeng
                << "kbetr" << l.kbetr << "bstkd" << l.bstkd;
    }
    return lines;
}

QJsonObject lineObject(const OrderConfirm &line, const QString &userId, const QString &email)
{
    QJsonObject mail;
    mail.insert("userID"_L1, userId);
    mail.insert("mail"_L1, email);

    QJsonObject o;
    o.insert("auart"_L1, line.auart);
    o.insert("vgbel"_L1, line.vgbel);
    o.insert("vkorg"_L1, line.vkorg);
    o.insert("vtweg"_L1, line.vtweg);
    o.insert("spart"_L1, line.spart);
    o.insert("kunwe"_L1, line.kunwe);
    o.insert("kunag"_L1, line.kunag);
    o.insert("bstkd"_L1, line.bstkd);
    o.insert("posnr"_L1, line.posnr);
    o.insert("matnr"_L1, line.matnr);
    o.insert("kwmeng"_L1, line.kwmeng);
    o.insert("kbetr"_L1, line.kbetr);
    o.insert("plant"_L1, line.plant);
    o.insert("bzirk"_L1, line.bzirk);
    o.insert("inco1"_L1, line.inco1);
    o.insert("inco2"_L1, line.inco2);
    o.insert("zterm"_L1, line.zterm);
    o.insert("vstel"_L1, line.vstel);
    o.insert("route"_L1, line.route);
    o.insert("rootSeq"_L1, line.rootSeq);
    o.insert("orderSeq"_L1, line.orderSeq);
    o.insert("matnrName"_L1, line.matnrName);
    o.insert("kunweName"_L1, line.kunweName);
    o.insert("orderUserName"_L1, line.orderUserName);
    o.insert("mailList"_L1, QJsonArray{mail});
    return o;
}
