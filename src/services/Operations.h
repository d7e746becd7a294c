#pragma once
// The catalogue of remote operations: one thin call per gateway or web-service operation, fixing its
// name and handing the caller's parameters and completion through to the service client.
#include "services/ServiceTypes.h"

#include <QString>

#include <optional>

class ServiceClient;

class Operations
{
public:
    explicit Operations(ServiceClient &client);

    // Gateway operations ("ApiName" = the method's name).
    void login(const ApiParameters &parameters, ApiCompletion done);
    void modAppPwd(const ApiParameters &parameters, ApiCompletion done);
    void clientList(const ApiParameters &parameters, ApiCompletion done);
    void inco1List(const ApiParameters &parameters, ApiCompletion done);
    void inco2List(const ApiParameters &parameters, ApiCompletion done);
    void transportList(const ApiParameters &parameters, ApiCompletion done);
    void orderTypeList(const ApiParameters &parameters, ApiCompletion done);
    void getTvstzList(const ApiParameters &parameters, ApiCompletion done);
    void getNoticeGroupUserList(const ApiParameters &parameters, ApiCompletion done);
    void ZSD_GET_MATNR_PRICE(const ApiParameters &parameters, ApiCompletion done);
    void ZBAPI_GET_CUSTOMER_CREDIT(const ApiParameters &parameters, ApiCompletion done);
    void ZSD_GET_CUST_CONTRACT2(const ApiParameters &parameters, ApiCompletion done);
    void ZSD_GET_CUST_CONTRACT1(const ApiParameters &parameters, ApiCompletion done);
    void ZSD_GET_TVSTZ(const ApiParameters &parameters, ApiCompletion done);
    // The order submission travels with a compact body.
    void ZSD_CREATE_EIP_ORDER2(const ApiParameters &parameters, ApiCompletion done);
    void ZSD_QUERY_ORDER(const ApiParameters &parameters, ApiCompletion done);
    void sendMail(const ApiParameters &parameters, ApiCompletion done);
    void getBoardsList(const ApiParameters &parameters, ApiCompletion done);
    void getBoardMsgList(const ApiParameters &parameters, ApiCompletion done);
    void deleteBoardMsg(const ApiParameters &parameters, ApiCompletion done);
    void addBoardMsg(const ApiParameters &parameters, ApiCompletion done);
    void getBoardReplyMsgList(const ApiParameters &parameters, ApiCompletion done);
    void addBoardReplyMsg(const ApiParameters &parameters, ApiCompletion done);
    void deleteBoardReplyMsg(const ApiParameters &parameters, ApiCompletion done);

    // Web-service operations (form-encoded).
    void pushRegistration(const ApiParameters &parameters, ApiCompletion done);
    void userPushHistory(const ApiParameters &parameters, ApiCompletion done);

    // Parameters of the password change: "userID" only when an id is stored, then both digests.
    static QJsonObject modAppPwdParameters(const std::optional<QString> &userId, const QString &oldMd5,
                                           const QString &newMd5);
    // Lower-case hexadecimal MD5 of the UTF-8 text: the only form in which passwords leave the device.
    static QString md5Hex(const QString &text);

    ServiceClient &client() const { return m_client; }

private:
    void gateway(const char *apiName, const ApiParameters &parameters, ApiCompletion done);

    ServiceClient &m_client;
};
