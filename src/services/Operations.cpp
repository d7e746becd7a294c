#include "services/Operations.h"

#include "services/ServiceClient.h"

#include <QCryptographicHash>
#include <QJsonArray>

#include <algorithm>

Operations::Operations(ServiceClient &client) : m_client(client) {}

void Operations::gateway(const char *apiName, const ApiParameters &parameters, QObject *context,
                         ApiCompletion done)
{
    m_client.callGateway(QString::fromLatin1(apiName), parameters, whileAlive(context, std::move(done)));
}

void Operations::ZSD_CREATE_EIP_ORDER2(const ApiParameters &parameters, ApiCompletion done)
{
    m_client.callGateway(QStringLiteral("ZSD_CREATE_EIP_ORDER2"), parameters, std::move(done),
                         ServiceClient::BodyStyle::Compact);
}

void Operations::webService(const char *name, const ApiParameters &parameters, QObject *context,
                            ApiCompletion done)
{
    m_client.callWebService(QString::fromLatin1(name), parameters, whileAlive(context, std::move(done)));
}

QJsonObject Operations::modAppPwdParameters(const std::optional<QString> &userId, const QString &oldMd5,
                                            const QString &newMd5)
{
    QJsonObject parameters{{QStringLiteral("password"), oldMd5}, {QStringLiteral("newPassword"), newMd5}};
    if (userId)
        parameters.insert(QStringLiteral("userID"), *userId);
    return parameters;
}

QString Operations::md5Hex(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

// ---- order entry ----

void Operations::shippingPoint(const QString &userId, const QString &kunnr, const QString &werks, QObject *context,
                               ApiCompletion done)
{
    gateway("ZSD_GET_TVSTZ", QJsonObject{{QStringLiteral("userID"), userId},
                              {QStringLiteral("pKunnr"), kunnr},
                              {QStringLiteral("pWerks"), werks}},
                  context, std::move(done));
}

void Operations::customerCredit(const QString &userId, const QString &kunnr, const QString &kkber, QObject *context,
                                ApiCompletion done)
{
    gateway("ZBAPI_GET_CUSTOMER_CREDIT", QJsonObject{{QStringLiteral("userID"), userId},
                                          {QStringLiteral("pKunnr"), kunnr},
                                          {QStringLiteral("pKkber"), kkber}},
                              context, std::move(done));
}

QJsonObject Operations::materialPriceParameters(const QString &userId, const std::optional<PriceListQuery> &query)
{
    QJsonObject parameters{{QStringLiteral("userID"), userId}, {QStringLiteral("pVtweg"), QStringLiteral("10")}};
    if (query) {
        parameters.insert(QStringLiteral("pVkorg"), query->vkorg);
        parameters.insert(QStringLiteral("pBzirk"), query->bzirk);
        parameters.insert(QStringLiteral("pInco1"), query->inco1);
        parameters.insert(QStringLiteral("pInco2"), query->inco2);
        parameters.insert(QStringLiteral("pAuart"), query->auart);
    }
    return parameters;
}

void Operations::materialPrices(const QString &userId, const std::optional<PriceListQuery> &query, QObject *context,
                                ApiCompletion done)
{
    gateway("ZSD_GET_MATNR_PRICE", materialPriceParameters(userId, query), context, std::move(done));
}

QJsonObject Operations::contractLinesParameters(const QString &userId, const QString &kunnr, const QDate &today)
{
    // Built digit by digit: a date format would follow the calendar or digits of a locale.
    const QString date = QStringLiteral("%1/%2/%3")
                             .arg(today.year(), 4, 10, QLatin1Char('0'))
                             .arg(today.month(), 2, 10, QLatin1Char('0'))
                             .arg(today.day(), 2, 10, QLatin1Char('0'));
    return QJsonObject{{QStringLiteral("userID"), userId},
                       {QStringLiteral("pAuart"), QStringLiteral("*")},
                       {QStringLiteral("pGueen"), date},
                       {QStringLiteral("pKunnr"), kunnr}};
}

void Operations::contractLines(const QString &userId, const QString &kunnr, const QDate &today, QObject *context,
                               ApiCompletion done)
{
    gateway("ZSD_GET_CUST_CONTRACT2", contractLinesParameters(userId, kunnr, today), context, std::move(done));
}

void Operations::contractMaterials(const QString &userId, const QString &vbeln, QObject *context, ApiCompletion done)
{
    gateway("ZSD_GET_CUST_CONTRACT1", QJsonObject{{QStringLiteral("userID"), userId}, {QStringLiteral("pVbeln"), vbeln}},
                           context, std::move(done));
}

QJsonObject Operations::orderSubmissionParameters(const QString &userId, const QJsonArray &lines)
{
    return QJsonObject{{QStringLiteral("userID"), userId}, {QStringLiteral("eipOrder2List"), lines}};
}

void Operations::sendMail(const QJsonArray &sendMailList, QObject *context, ApiCompletion done)
{
    gateway("sendMail", QJsonObject{{QStringLiteral("sendMailList"), sendMailList}}, context, std::move(done));
}

// ---- order query, boards, notifications, account ----

void Operations::login(const QString &account, const QString &password, QObject *context, ApiCompletion done)
{
    gateway("login", QJsonObject{{QStringLiteral("user_name"), account}, {QStringLiteral("password"), md5Hex(password)}},
          context, std::move(done));
}

void Operations::modAppPwd(const std::optional<QString> &userId, const QString &oldPassword,
                           const QString &newPassword, QObject *context, ApiCompletion done)
{
    gateway("modAppPwd", modAppPwdParameters(userId, md5Hex(oldPassword), md5Hex(newPassword)), context, std::move(done));
}

QJsonObject Operations::orderQueryParameters(const OrderQuery &query)
{
    const QString format = QStringLiteral("yyyyMMdd");
    QJsonObject parameters;
    if (query.userId)
        parameters.insert(QStringLiteral("userID"), *query.userId);
    if (query.bukrs)
        parameters.insert(QStringLiteral("pBukrs"), *query.bukrs);
    if (query.werks)
        parameters.insert(QStringLiteral("pWerks"), *query.werks);
    parameters.insert(QStringLiteral("pBegdat"), std::min(query.from, query.to).toString(format));
    parameters.insert(QStringLiteral("pEnddat"), std::max(query.from, query.to).toString(format));
    if (query.kunnr)
        parameters.insert(QStringLiteral("pKunnr"), *query.kunnr);
    if (query.vbeln)
        parameters.insert(QStringLiteral("pVbeln"), *query.vbeln);
    return parameters;
}

void Operations::ZSD_QUERY_ORDER(const OrderQuery &query, QObject *context, ApiCompletion done)
{
    gateway("ZSD_QUERY_ORDER", orderQueryParameters(query), context, std::move(done));
}

void Operations::getBoardsList(const QString &userId, QObject *context, ApiCompletion done)
{
    gateway("getBoardsList", QJsonObject{{QStringLiteral("userID"), userId}}, context, std::move(done));
}

QJsonObject Operations::userParameters(const QString &userId) { return QJsonObject{{QStringLiteral("userID"), userId}}; }

QJsonObject Operations::boardPageParameters(const QString &boardId, const QString &startRow)
{
    return QJsonObject{{QStringLiteral("boardID"), boardId}, {QStringLiteral("startRow"), startRow}};
}

void Operations::getBoardMsgList(const QString &boardId, const QString &startRow, QObject *context,
                                 ApiCompletion done)
{
    gateway("getBoardMsgList", boardPageParameters(boardId, startRow), context, std::move(done));
}

void Operations::deleteBoardMsg(const QString &msgId, const QString &userId, QObject *context, ApiCompletion done)
{
    gateway("deleteBoardMsg", QJsonObject{{QStringLiteral("msgID"), msgId}, {QStringLiteral("userID"), userId}}, context,
                   std::move(done));
}

QJsonObject Operations::boardPostParameters(const QString &userId, const QString &content, const QString &photo)
{
    QJsonObject parameters{{QStringLiteral("userID"), userId}, {QStringLiteral("postPhoto"), photo}};
    if (!content.isEmpty())
        parameters.insert(QStringLiteral("postContent"), content);
    return parameters;
}

void Operations::addBoardMsg(const QString &boardId, const QString &userId, const QString &content,
                             const QString &photo, QObject *context, ApiCompletion done)
{
    QJsonObject parameters = boardPostParameters(userId, content, photo);
    parameters.insert(QStringLiteral("boardID"), boardId);
    gateway("addBoardMsg", parameters, context, std::move(done));
}

void Operations::getBoardReplyMsgList(const QString &msgId, QObject *context, ApiCompletion done)
{
    gateway("getBoardReplyMsgList", QJsonObject{{QStringLiteral("msgID"), msgId}}, context, std::move(done));
}

void Operations::addBoardReplyMsg(const QString &msgId, const QString &userId, const QString &content,
                                  const QString &photo, QObject *context, ApiCompletion done)
{
    QJsonObject parameters = boardPostParameters(userId, content, photo);
    parameters.insert(QStringLiteral("msgID"), msgId);
    gateway("addBoardReplyMsg", parameters, context, std::move(done));
}

void Operations::deleteBoardReplyMsg(const QString &replyId, const QString &userId, QObject *context,
                                     ApiCompletion done)
{
    gateway("deleteBoardReplyMsg", QJsonObject{{QStringLiteral("remsgID"), replyId}, {QStringLiteral("userID"), userId}}, context,
                        std::move(done));
}

void Operations::userPushHistory(const QString &userId, const QString &lastNewsId, QObject *context,
                                 ApiCompletion done)
{
    webService("userPushHistory", QJsonObject{{QStringLiteral("userId"), userId}, {QStringLiteral("lastNewsId"), lastNewsId}},
                    context, std::move(done));
}

void Operations::pushRegistration(const QString &token, const QString &account, QObject *context, ApiCompletion done)
{
    webService("pushRegistration", QJsonObject{{QStringLiteral("token"), token},
                                 {QStringLiteral("userId"), account},
                                 {QStringLiteral("os"), QStringLiteral("0")}},
                     context, std::move(done));
}
