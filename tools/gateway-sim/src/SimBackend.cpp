// The development gateway's dispatch of operations to their handlers, its clock and the lookups the
// handlers share.
#include "SimAnswers.h"
#include "SimBackend.h"

#include <QJsonDocument>

using namespace sim;

SimBackend::SimBackend()
{
    auto add = [this](const char *name, QJsonObject (SimBackend::*fn)(const QJsonObject &)) {
        m_gateway.insert(QString::fromLatin1(name),
                         [fn](SimBackend *self, const QJsonObject &p, const QString &) { return (self->*fn)(p); });
    };
    add("login", &SimBackend::login);
    add("modAppPwd", &SimBackend::modAppPwd);
    add("clientList", &SimBackend::clientList);
    for (const char *kind : {"inco1List", "inco2List", "transportList", "orderTypeList", "getTvstzList",
                             "getNoticeGroupUserList"}) {
        const QString k = QString::fromLatin1(kind);
        m_gateway.insert(k, [k](SimBackend *self, const QJsonObject &p, const QString &) {
            return self->infoList(k, p);
        });
    }
    add("ZSD_GET_MATNR_PRICE", &SimBackend::matnrPrice);
    add("ZBAPI_GET_CUSTOMER_CREDIT", &SimBackend::customerCredit);
    add("ZSD_GET_CUST_CONTRACT2", &SimBackend::contract2);
    add("ZSD_GET_CUST_CONTRACT1", &SimBackend::contract1);
    add("ZSD_GET_TVSTZ", &SimBackend::tvstz);
    add("ZSD_CREATE_EIP_ORDER2", &SimBackend::createOrder);
    add("ZSD_QUERY_ORDER", &SimBackend::queryOrder);
    add("sendMail", &SimBackend::sendMail);
    add("getBoardsList", &SimBackend::boardsList);
    add("deleteBoardMsg", &SimBackend::deleteBoardMsg);
    add("addBoardMsg", &SimBackend::addBoardMsg);
    add("addBoardReplyMsg", &SimBackend::addBoardReplyMsg);
    add("deleteBoardReplyMsg", &SimBackend::deleteBoardReplyMsg);
    m_gateway.insert(QStringLiteral("getBoardMsgList"), [](SimBackend *self, const QJsonObject &p, const QString &base) {
        return self->boardMsgList(p, base);
    });
    m_gateway.insert(QStringLiteral("getBoardReplyMsgList"),
                     [](SimBackend *self, const QJsonObject &p, const QString &base) {
                         return self->boardReplyMsgList(p, base);
                     });
    m_webService.insert(QStringLiteral("pushRegistration"), [](SimBackend *self, const QJsonObject &p, const QString &) {
        return self->pushRegistration(p);
    });
    m_webService.insert(QStringLiteral("userPushHistory"), [](SimBackend *self, const QJsonObject &p, const QString &) {
        return self->userPushHistory(p);
    });
}

// ---- seed and state ----

QDateTime SimBackend::now() const
{
    return m_fixedNow.isValid() ? m_fixedNow.toUTC() : QDateTime::currentDateTimeUtc();
}

QDate SimBackend::taipeiToday() const { return utcToTaipeiFields(now()).date(); }

const SimBackend::Account *SimBackend::accountById(const QString &userID) const
{
    for (const Account &a : m_accounts) {
        if (!userID.isEmpty() && a.userID == userID)
            return &a;
    }
    return nullptr;
}

SimBackend::Account *SimBackend::accountById(const QString &userID)
{
    return const_cast<Account *>(std::as_const(*this).accountById(userID));
}

const QJsonObject *SimBackend::customer(const QString &kunnr) const
{
    const auto it = m_customerIndex.constFind(kunnr);
    return it == m_customerIndex.constEnd() ? nullptr : &m_customers.at(*it);
}

const SimBackend::Material *SimBackend::material(const QString &matnr) const
{
    const auto it = m_materialIndex.constFind(matnr);
    return it == m_materialIndex.constEnd() ? nullptr : &m_materials.at(*it);
}

QJsonObject SimBackend::salesOrg(const QString &vkorg) const
{
    for (const QJsonValue &v : m_seed.value(QStringLiteral("salesOrgs")).toArray()) {
        if (v.toObject().value(QStringLiteral("vkorg")).toString() == vkorg)
            return v.toObject();
    }
    return {};
}

bool SimBackend::canSee(const Account &account, const QJsonObject &c) const
{
    return account.customerOrgs.contains(c.value(QStringLiteral("vkorg")).toString());
}

QJsonObject SimBackend::person(const QString &userID) const
{
    if (const Account *a = accountById(userID))
        return {{"userName", a->userName}, {"gender", a->gender}, {"headshot", a->headshot}};
    for (const QJsonValue &v : m_seed.value(QStringLiteral("people")).toArray()) {
        if (v.toObject().value(QStringLiteral("userID")).toString() == userID)
            return v.toObject();
    }
    return {};
}

QString SimBackend::personName(const QString &userID) const
{
    return person(userID).value(QStringLiteral("userName")).toString();
}

bool SimBackend::hasGatewayOperation(const QString &apiName) const { return m_gateway.contains(apiName); }

bool SimBackend::hasWebServiceMethod(const QString &method) const { return m_webService.contains(method); }

QJsonObject SimBackend::callGateway(const QString &apiName, const QJsonObject &params, const QString &base)
{
    const auto it = m_gateway.constFind(apiName);
    if (it == m_gateway.constEnd())
        return fail(QStringLiteral("9004"), QStringLiteral("不支援的功能: ") + apiName);
    return (*it)(this, params, base);
}

QJsonObject SimBackend::callWebService(const QString &method, const QJsonObject &params)
{
    const auto it = m_webService.constFind(method);
    if (it == m_webService.constEnd())
        return fail(QStringLiteral("9004"), QStringLiteral("不支援的功能: ") + method);
    return (*it)(this, params, QString());
}

// ---- account ----
