#include "model/OrderStatus.h"

#include "model/JsonRules.h"

#include <QDateTime>
#include <QJsonArray>
#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

QString rawValue(SapOrderStatus status)
{
    switch (status) {
    case SapOrderStatus::success:
        return QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "下單成功"));
    case SapOrderStatus::fail:
        return QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "下單失敗"));
    case SapOrderStatus::waitToOrder:
        break;
    }
    return QString();
}

std::optional<SapOrderStatus> sapOrderStatusFromRaw(const QString &raw)
{
    for (SapOrderStatus s : {SapOrderStatus::waitToOrder, SapOrderStatus::success, SapOrderStatus::fail}) {
        if (raw == rawValue(s))
            return s;
    }
    return std::nullopt;
}

NoticeGroup NoticeGroup::fromJson(const QJsonObject &o)
{
    NoticeGroup r;
    r.userId = readText(o, "userID"_L1);
    r.pernr = readText(o, "pernr"_L1);
    r.nachn = readText(o, "nachn"_L1);
    r.vorna = readText(o, "vorna"_L1);
    r.userName = r.nachn + r.vorna;
    r.telNumber = readText(o, "telNumber"_L1);
    r.telExtens = readText(o, "telExtens"_L1);
    r.faxNumber = readText(o, "faxNumber"_L1);
    r.faxExtens = readText(o, "faxExtens"_L1);
    r.mobile = readText(o, "mobile"_L1);
    r.headShot = readText(o, "headShot"_L1);
    r.email = readText(o, "email"_L1);
    r.gender = readText(o, "gender"_L1);
    r.type = readText(o, "type"_L1);
    return r;
}

MailUser mailUserFrom(const NoticeGroup &member)
{
    return MailUser{member.userId, member.userName, member.email, member.type};
}

QJsonObject sendMailObject(const SentMailOrderConfirm &request, const QString &userId)
{
    const OrderConfirm &line = request.orderConfirm;
    QJsonArray recipients;
    for (const MailUser &user : request.mailList)
        recipients.append(QJsonObject{{u"userId"_s, user.userId}, {u"mail"_s, user.mail}});
    return QJsonObject{{u"userId"_s, userId},
                       {u"orderSeq"_s, line.orderSeq},
                       {u"otVbeln"_s, line.sapOrderNo},
                       {u"carNo"_s, request.carNo},
                       {u"remark"_s, request.remark},
                       {u"kunweName"_s, line.kunweName},
                       {u"kunwe"_s, line.kunwe},
                       {u"userName"_s, line.orderUserName},
                       {u"matnrName"_s, line.matnrName},
                       {u"kwmeng"_s, line.kwmeng},
                       {u"vkorg"_s, line.vkorg},
                       {u"mailList"_s, recipients}};
}

namespace {

// The order's date and time from the two millisecond members, or empty when either is not a number.
QString orderDateText(const QJsonValue &audat, const QJsonValue &erzet)
{
    if (!audat.isDouble() || !erzet.isDouble())
        return QString();
    // The members are milliseconds; 28800 s (eight hours) is added as the server expects.
    const double seconds = (audat.toDouble() + erzet.toDouble()) / 1000.0 + 28800.0;
    const double msecs = std::floor(seconds * 1000.0);
    // Beyond the range QDateTime can hold there is no date to show.
    constexpr double limit = 8.0e15;
    if (!std::isfinite(msecs) || std::fabs(msecs) > limit)
        return QString();
    const QDateTime instant = QDateTime::fromMSecsSinceEpoch(qint64(msecs), Qt::LocalTime);
    if (!instant.isValid())
        return QString();
    return QLocale::c().toString(instant, QStringLiteral("yyyy/MM/dd HH:mm"));
}

} // namespace

OrderHistroy OrderHistroy::fromJson(const QJsonObject &o)
{
    OrderHistroy r;
    r.bukrs = readText(o, "bukrs"_L1);
    r.name1 = readText(o, "name1"_L1);
    r.werks = readText(o, "werks"_L1);
    r.name2 = readText(o, "name2"_L1);
    r.kunnr = readText(o, "kunnr"_L1);
    r.name3 = readText(o, "name3"_L1);
    r.vbeln = readText(o, "vbeln"_L1);
    r.audat = orderDateText(o.value("audat"_L1), o.value("erzet"_L1));
    r.arktx = readText(o, "arktx"_L1);
    r.cmpre = float(readStrictNumber(o, "cmpre"_L1));
    r.kwmeng = float(readStrictNumber(o, "kwmeng"_L1));
    r.fkimg = float(readStrictNumber(o, "fkimg"_L1));
    r.fkimg1 = float(readStrictNumber(o, "fkimg1"_L1));
    return r;
}
