#pragma once
// Records of an order after it leaves the cart: the submission line with its result, the notice-mail
// request, the notice-group members who may receive it, and one row of the order-history query.
#include "model/JsonRules.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// Result of submitting one line; the raw value is the text shown to the user.
enum class SapOrderStatus { waitToOrder, success, fail };

// "" for waitToOrder, "下單成功" for success, "下單失敗" for fail.
QString rawValue(SapOrderStatus status);
// Exactly the three raw values are accepted; any other text gives no status.
std::optional<SapOrderStatus> sapOrderStatusFromRaw(const QString &raw);

// A recipient of an order-notice mail. `type` "1": required person, "0": contact person.
struct MailUser {
    QString userId;
    QString name;
    QString mail;
    QString type;

    friend bool operator==(const MailUser &, const MailUser &) = default;
};

// One order line as sent to the enterprise system, and its submission result.
// inco1bezei and the result fields (orderStatus, sapOrderNo, sapOrderError) are never sent.
struct OrderConfirm {
    QString auart;         // sales document type
    QString vgbel;         // reference document (contract) number
    QString vkorg;         // sales organisation
    QString vtweg = QStringLiteral("10"); // distribution channel
    QString spart = QStringLiteral("01"); // division
    QString kunwe;         // ship-to party
    QString kunag;         // sold-to party
    QString bstkd;         // customer reference
    QString posnr = QStringLiteral("01"); // item number
    QString matnr;
    QString kwmeng;        // quantity as decimal text
    QString kbetr;         // unit price as decimal text
    QString plant;
    QString bzirk;
    QString inco1;
    QString inco1bezei;    // display only
    QString inco2;
    QString zterm;
    QString vstel;
    QString route;
    QString rootSeq;       // orderSeq of the cart order this line was made from
    QString orderSeq;      // identity of this line, unique within one submission
    QString matnrName;
    QString kunweName;
    QString orderUserName;
    SapOrderStatus orderStatus = SapOrderStatus::waitToOrder;
    QString sapOrderNo;
    QString sapOrderError;
    QList<MailUser> mailList;

    friend bool operator==(const OrderConfirm &, const OrderConfirm &) = default;
};

// The notice-mail request for one successfully ordered line.
struct SentMailOrderConfirm {
    OrderConfirm orderConfirm;
    bool wantSendMail = false;
    QList<MailUser> mailList;
    QString carNo;
    QString remark;
    bool needSelectMember = false; // a required person must be among mailList before saving

    SentMailOrderConfirm() = default;
    explicit SentMailOrderConfirm(const OrderConfirm &line) : orderConfirm(line) {}

    friend bool operator==(const SentMailOrderConfirm &, const SentMailOrderConfirm &) = default;
};

// One member of the notice group of the user's sales organisation; all fields are text.
struct NoticeGroup {
    QString userId;    // "userID"
    QString pernr;
    QString userName;  // nachn immediately followed by vorna
    QString nachn;
    QString vorna;
    QString telNumber;
    QString telExtens;
    QString faxNumber;
    QString faxExtens;
    QString mobile;
    QString headShot;
    QString email;
    QString gender;
    QString type;      // "1" required person, "0" contact person, else neither

    static NoticeGroup fromJson(const QJsonObject &o);
    friend bool operator==(const NoticeGroup &, const NoticeGroup &) = default;
};

MailUser mailUserFrom(const NoticeGroup &member);
// The two groups of the notice group: "1" required person, "0" contact person; any other type is in
// neither and is never offered as a recipient.
inline bool isRequiredPerson(const QString &type) { return type == QLatin1String("1"); }
inline bool isContactPerson(const QString &type) { return type == QLatin1String("0"); }
// The notice-mail object of one request, as `sendMail` carries it in "sendMailList": the line's
// identity, order number, customer, material and quantity, the request's vehicle number and remark,
// and its recipients as {"userId", "mail"}. `userId` is the signed-in user's id ("" when none).
QJsonObject sendMailObject(const SentMailOrderConfirm &request, const QString &userId);

// One row of the order-history query.
struct OrderHistroy {
    QString bukrs;  // company code
    QString name1;  // company name
    QString werks;  // plant
    QString name2;  // plant name
    QString kunnr;  // customer number
    QString name3;  // customer name
    QString vbeln;  // order number
    QString audat;  // order date and time "yyyy/MM/dd HH:mm", derived from "audat" and "erzet"
    QString arktx;  // material description
    float cmpre = 0;  // unit price
    float kwmeng = 0; // ordered quantity
    float fkimg = 0;  // quantity already shipped
    float fkimg1 = 0; // remaining quantity

    // audat: ("audat" + "erzet") / 1000 + 28800 seconds since 1970-01-01 UTC, shown in the local time
    // zone; empty when either member is missing or not a JSON number.
    static OrderHistroy fromJson(const QJsonObject &o);
    friend bool operator==(const OrderHistroy &, const OrderHistroy &) = default;
};
