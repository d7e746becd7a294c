#pragma once
// The catalogue of remote operations: one thin call per gateway or web-service operation, fixing its
// name and handing the caller's parameters and completion through to the service client. Every call
// takes the QObject its completion belongs to (usually the calling screen): the completion is dropped
// when that object has gone before the answer arrives.
#include "services/ServiceClient.h"
#include "services/ServiceTypes.h"

#include <QDate>
#include <QString>

#include <optional>

class ServiceClient;

class Operations
{
public:
    explicit Operations(ServiceClient &client);

    // The order submission, its parameters built by orderSubmissionParameters; it travels with a compact body.
    void ZSD_CREATE_EIP_ORDER2(const ApiParameters &parameters, ApiCompletion done);

    // Parameters of the password change: "userID" only when an id is stored, then both digests.
    static QJsonObject modAppPwdParameters(const std::optional<QString> &userId, const QString &oldMd5,
                                           const QString &newMd5);
    // Lower-case hexadecimal MD5 of the UTF-8 text: the only form in which passwords leave the device.
    static QString md5Hex(const QString &text);

    // ---- order query, boards, notifications, account ----
    // Typed forms of the operations these screens send: the keys are written here and nowhere else.
    // Passwords are sent only as md5Hex digests.

    // The sign-in: "user_name" as typed, "password" as its digest.
    void login(const QString &account, const QString &password, QObject *context, ApiCompletion done);
    // The password change: modAppPwdParameters with the digests of both passwords.
    void modAppPwd(const std::optional<QString> &userId, const QString &oldPassword, const QString &newPassword,
                   QObject *context, ApiCompletion done);
    // The orders placed between two days (in either order; sent earlier first, as "yyyyMMdd"),
    // optionally restricted to one customer or one order number. Absent session fields are not sent.
    struct OrderQuery {
        std::optional<QString> userId;
        std::optional<QString> bukrs;
        std::optional<QString> werks;
        QDate from;
        QDate to;
        std::optional<QString> kunnr;
        std::optional<QString> vbeln;
    };
    static QJsonObject orderQueryParameters(const OrderQuery &query);
    void ZSD_QUERY_ORDER(const OrderQuery &query, QObject *context, ApiCompletion done);
    // The message boards visible to `userId`.
    void getBoardsList(const QString &userId, QObject *context, ApiCompletion done);
    // ---- message boards ----
    // One page of a board's messages after the row `startRow` ("0": the first page).
    void getBoardMsgList(const QString &boardId, const QString &startRow, QObject *context, ApiCompletion done);
    void deleteBoardMsg(const QString &msgId, const QString &userId, QObject *context, ApiCompletion done);
    // A new message or reply: "postContent" only when `content` is not empty, "postPhoto" always (the
    // Base64 JPEG, or the empty text without a photo).
    void addBoardMsg(const QString &boardId, const QString &userId, const QString &content, const QString &photo,
                     QObject *context, ApiCompletion done);
    void getBoardReplyMsgList(const QString &msgId, QObject *context, ApiCompletion done);
    void addBoardReplyMsg(const QString &msgId, const QString &userId, const QString &content, const QString &photo,
                          QObject *context, ApiCompletion done);
    void deleteBoardReplyMsg(const QString &replyId, const QString &userId, QObject *context, ApiCompletion done);
    static QJsonObject boardPostParameters(const QString &userId, const QString &content, const QString &photo);

    // One page of the notification history of `userId`, after the notification `lastNewsId` (empty:
    // the newest page).
    void userPushHistory(const QString &userId, const QString &lastNewsId, QObject *context, ApiCompletion done);
    // Links this device's push token (upper-case hex) to the login account; "os" is always "0".
    void pushRegistration(const QString &token, const QString &account, QObject *context, ApiCompletion done);

    ServiceClient &client() const { return m_client; }


    // ---- order entry: typed calls, so that the order screens never spell a wire key ----

    // The shipping point of a customer at a plant (ZSD_GET_TVSTZ).
    void shippingPoint(const QString &userId, const QString &kunnr, const QString &werks, QObject *context,
                       ApiCompletion done);
    // The credit used by a customer in a credit control area (ZBAPI_GET_CUSTOMER_CREDIT).
    void customerCredit(const QString &userId, const QString &kunnr, const QString &kkber, QObject *context,
                        ApiCompletion done);
    // What selects a customer's price list: sales organisation, district, delivery terms, order type.
    struct PriceListQuery {
        QString vkorg, bzirk, inco1, inco2, auart;
    };
    // The priced materials of the distribution channel "10" (ZSD_GET_MATNR_PRICE); without a query the
    // whole channel is asked for.
    void materialPrices(const QString &userId, const std::optional<PriceListQuery> &query, QObject *context,
                        ApiCompletion done);
    static QJsonObject materialPriceParameters(const QString &userId, const std::optional<PriceListQuery> &query);
    // The contract lines of a customer valid on `today`, of every contract type (ZSD_GET_CUST_CONTRACT2).
    // The date is written "yyyy/MM/dd" in the Gregorian calendar with ASCII digits, whatever the
    // device's calendar or locale: the enterprise system reads no other form.
    static QJsonObject contractLinesParameters(const QString &userId, const QString &kunnr, const QDate &today);
    void contractLines(const QString &userId, const QString &kunnr, const QDate &today, QObject *context,
                       ApiCompletion done);
    // The materials of one contract (ZSD_GET_CUST_CONTRACT1).
    void contractMaterials(const QString &userId, const QString &vbeln, QObject *context, ApiCompletion done);
    // Parameters of the order submission (ZSD_CREATE_EIP_ORDER2): the user and the submission lines.
    static QJsonObject orderSubmissionParameters(const QString &userId, const QJsonArray &lines);
    // The order-notice mail (`sendMail`): one object per line to be mailed, under "sendMailList".
    void sendMail(const QJsonArray &sendMailList, QObject *context, ApiCompletion done);


    // ---- large answers: evaluated and read into records on a worker thread ----
    // `read` builds the records from the answer there (it must touch nothing but its argument); `done`
    // runs on the main thread while `context` lives, and never with an answer older than one it has had
    // for the same operation (see ServiceClient::callGateway).
    template <class T> using Reader = std::function<T(const ApiStatus &status)>;
    template <class T> using RecordsDone = std::function<void(const ApiStatus &status, T records)>;
    template <class T>
    void clientList(const QString &userId, QObject *context, Reader<T> read, RecordsDone<T> done,
                    bool background = false)
    {
        m_client.callGateway<T>(QStringLiteral("clientList"), userParameters(userId), context, std::move(read),
                                std::move(done), background);
    }
    template <class T>
    void ZSD_QUERY_ORDER(const OrderQuery &query, QObject *context, Reader<T> read, RecordsDone<T> done)
    {
        m_client.callGateway<T>(QStringLiteral("ZSD_QUERY_ORDER"), orderQueryParameters(query), context,
                                std::move(read), std::move(done));
    }
    template <class T>
    void materialPrices(const QString &userId, const std::optional<PriceListQuery> &query, QObject *context,
                        Reader<T> read, RecordsDone<T> done)
    {
        m_client.callGateway<T>(QStringLiteral("ZSD_GET_MATNR_PRICE"), materialPriceParameters(userId, query),
                                context, std::move(read), std::move(done));
    }
    template <class T>
    void getBoardMsgList(const QString &boardId, const QString &startRow, QObject *context, Reader<T> read,
                         RecordsDone<T> done)
    {
        m_client.callGateway<T>(QStringLiteral("getBoardMsgList"), boardPageParameters(boardId, startRow), context,
                                std::move(read), std::move(done));
    }
    static QJsonObject userParameters(const QString &userId);
    static QJsonObject boardPageParameters(const QString &boardId, const QString &startRow);

private:
    void gateway(const char *apiName, const ApiParameters &parameters, QObject *context, ApiCompletion done);
    void webService(const char *name, const ApiParameters &parameters, QObject *context, ApiCompletion done);

    ServiceClient &m_client;
};
