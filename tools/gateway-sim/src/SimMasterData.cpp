// Master data: customers, information lists, price lists, contracts and shipping points.
#include "SimAnswers.h"
#include "SimBackend.h"

#include <QRegularExpression>

#include <algorithm>

using namespace sim;

QJsonObject SimBackend::clientList(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID")}))
        return *m;
    const Account *a = accountById(str(p, QStringLiteral("userID")));
    if (!a)
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    QJsonArray list;
    for (const QJsonObject &c : std::as_const(m_customers)) {
        if (canSee(*a, c))
            list.append(c);
    }
    return ok({{"custList", list}});
}

QJsonObject SimBackend::infoList(const QString &kind, const QJsonObject &p)
{
    QStringList required{QStringLiteral("userID")};
    if (kind == QLatin1String("getTvstzList"))
        required << QStringLiteral("vkorg");
    if (kind == QLatin1String("getNoticeGroupUserList"))
        required << QStringLiteral("ngrName");
    if (auto m = missing(p, required))
        return *m;

    if (kind == QLatin1String("getTvstzList")) {
        const QString vkorg = str(p, QStringLiteral("vkorg"));
        QJsonArray list;
        for (const QJsonValue &v : m_seed.value(QStringLiteral("tvstzList")).toArray()) {
            const QJsonObject t = v.toObject();
            if (vkorg.isEmpty() || t.value(QStringLiteral("vkorg")).toString() == vkorg)
                list.append(QJsonObject{{"vkorg", t.value(QStringLiteral("vkorg"))},
                                        {"tvstzId", t.value(QStringLiteral("tvstzId"))},
                                        {"tvstzName", t.value(QStringLiteral("tvstzName"))}});
        }
        return ok({{"list", list}});
    }
    if (kind == QLatin1String("getNoticeGroupUserList")) {
        const QJsonArray members =
            m_seed.value(QStringLiteral("noticeGroups")).toObject().value(str(p, QStringLiteral("ngrName"))).toArray();
        return ok({{"list", members}});
    }
    return ok({{kind, m_seed.value(kind).toArray()}});
}

// ---- order entry ----

QJsonObject SimBackend::matnrPrice(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pVtweg")}))
        return *m;
    const QString vkorg = str(p, QStringLiteral("pVkorg"));
    const QString bzirk = str(p, QStringLiteral("pBzirk"));
    const QString inco1 = str(p, QStringLiteral("pInco1"));
    const QString inco2 = str(p, QStringLiteral("pInco2"));
    const QString auart = str(p, QStringLiteral("pAuart"));
    const QJsonObject factors = m_seed.value(QStringLiteral("priceFactors")).toObject();
    const double districtFactor = m_seed.value(QStringLiteral("districts")).toObject().value(bzirk).toObject()
                                      .value(QStringLiteral("factor")).toDouble(1.0);
    const double inco1Factor = factors.value(QStringLiteral("inco1")).toObject().value(inco1).toDouble(1.0);
    const double auartFactor = factors.value(QStringLiteral("auart")).toObject().value(auart).toDouble(1.0);
    const Account *a = accountById(str(p, QStringLiteral("userID")));

    QJsonArray list;
    for (const Material &m : std::as_const(m_materials)) {
        const bool sold = vkorg.isEmpty()
                              ? (!a || std::any_of(a->customerOrgs.begin(), a->customerOrgs.end(),
                                                   [&](const QString &org) { return m.vkorgs.contains(org); }))
                              : m.vkorgs.contains(vkorg);
        if (!sold)
            continue;
        list.append(QJsonObject{{"kunnr", ""},
                                {"matnr", m.matnr},
                                {"maktx", m.maktx},
                                {"zmeng", 0.0},
                                {"zterm", "NT30"},
                                {"werks", vkorg},
                                {"vstel", ""},
                                {"route", ""},
                                {"inco1", inco1},
                                {"inco2", inco2},
                                {"kbetr", roundHalf(m.basePrice * districtFactor * inco1Factor * auartFactor)},
                                {"bzirk", bzirk}});
    }
    return ok({{"matnrPriceList", list}});
}

QJsonObject SimBackend::contract2(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pAuart"), QStringLiteral("pGueen"),
                             QStringLiteral("pKunnr")}))
        return *m;
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    // The validity date is read only as a Gregorian "yyyy/MM/dd" with ASCII digits, as the enterprise
    // system does: a year of another calendar (115 for 2026) or other digits are refused.
    static const QRegularExpression dateForm(QStringLiteral("^[0-9]{4}/[0-9]{2}/[0-9]{2}$"));
    const QString gueen = str(p, QStringLiteral("pGueen"));
    const QDate day = dateForm.match(gueen).hasMatch() ? parseDate(gueen) : QDate();
    if (!day.isValid())
        return fail(QStringLiteral("01"), QStringLiteral("日期格式錯誤: pGueen ") + gueen);
    const QJsonObject *c = customer(kunnr);
    if (!c)
        return fail(QStringLiteral("01"), QStringLiteral("查無客戶 ") + kunnr);
    const QString auart = str(p, QStringLiteral("pAuart"));
    QJsonArray list;
    for (const Contract &k : std::as_const(m_contracts)) {
        if (k.kunnr != kunnr || day < k.guebg || day > k.gueen)
            continue;
        if (!auart.isEmpty() && auart != QLatin1String("*") && auart != k.auart)
            continue;
        for (const ContractLine &line : k.lines) {
            const Material *m = material(line.matnr);
            list.append(QJsonObject{{"vbeln", k.vbeln},
                                    {"auart", k.auart},
                                    {"auarth", k.auarth},
                                    {"vkorg", c->value(QStringLiteral("vkorg"))},
                                    {"kunnr", kunnr},
                                    {"name1", c->value(QStringLiteral("name1"))},
                                    {"matnr", line.matnr},
                                    {"maktx", m ? m->maktx : QString()},
                                    {"guebg", dateNumber(k.guebg)},
                                    {"gueen", dateNumber(k.gueen)},
                                    {"kbetr", line.kbetr}});
        }
    }
    return ok({{"custContract2List", list}});
}

QJsonObject SimBackend::contract1(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pVbeln")}))
        return *m;
    const QString vbeln = str(p, QStringLiteral("pVbeln"));
    for (const Contract &k : std::as_const(m_contracts)) {
        if (k.vbeln != vbeln)
            continue;
        const QJsonObject *c = customer(k.kunnr);
        const QJsonObject shipping =
            m_seed.value(QStringLiteral("customerShipping")).toObject().value(k.kunnr).toObject();
        QJsonArray list;
        for (const ContractLine &line : k.lines) {
            const Material *m = material(line.matnr);
            list.append(QJsonObject{{"kunnr", k.kunnr},
                                    {"matnr", line.matnr},
                                    {"maktx", m ? m->maktx : QString()},
                                    {"zmeng", std::max(0.0, line.maximum - line.ordered)},
                                    {"zterm", k.zterm},
                                    {"werks", c ? c->value(QStringLiteral("vkorg")).toString() : QString()},
                                    {"vstel", shipping.value(QStringLiteral("vstel")).toString()},
                                    {"route", shipping.value(QStringLiteral("route")).toString()},
                                    {"inco1", line.inco1},
                                    {"inco2", line.inco2},
                                    {"kbetr", line.kbetr},
                                    {"bzirk", c ? c->value(QStringLiteral("bzirk")).toString() : QString()}});
        }
        return ok({{"custContract1List", list}});
    }
    return fail(QStringLiteral("01"), QStringLiteral("查無合約 ") + vbeln);
}

QJsonObject SimBackend::tvstz(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pKunnr"), QStringLiteral("pWerks")}))
        return *m;
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    if (!customer(kunnr))
        return fail(QStringLiteral("01"), QStringLiteral("查無客戶 ") + kunnr);
    const QJsonObject shipping = m_seed.value(QStringLiteral("customerShipping")).toObject().value(kunnr).toObject();
    if (shipping.contains(QStringLiteral("error")))
        return fail(QStringLiteral("01"), shipping.value(QStringLiteral("error")).toString());
    QString vstel = shipping.value(QStringLiteral("vstel")).toString();
    QString route = shipping.value(QStringLiteral("route")).toString();
    if (vstel.isEmpty()) { // customers without an entry (generated lists) ship from their organisation's first point
        const QString vkorg = customer(kunnr)->value(QStringLiteral("vkorg")).toString();
        for (const QJsonValue &v : m_seed.value(QStringLiteral("tvstzList")).toArray()) {
            if (v.toObject().value(QStringLiteral("vkorg")).toString() == vkorg) {
                vstel = v.toObject().value(QStringLiteral("tvstzId")).toString();
                route = v.toObject().value(QStringLiteral("route")).toString();
                break;
            }
        }
    }
    return ok({{"tvstz", QJsonObject{{"vstel", vstel}, {"route", route}}}});
}
