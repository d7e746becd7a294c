#pragma once
// The stored form of an answer kept for working offline: one versioned JSON document per kind and key
// (the customer, the delivery terms, the contract) for one account, holding the time the answer arrived and
// the members of the answer that matter, as the answer had them:
//   {"version": 1, "account": "…", "kind": "prices", "key": {"kunnr": "…", "inco1": "…"},
//    "receivedAt": 1718000000000, "answer": {"matnrPriceList": […]}}
// The reader trusts nothing: a document that is not of this version, account, kind and key, or whose
// member is missing or of another type, is refused as a whole with the reason.
#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

struct KeptAnswer {
    QJsonObject answer;     // the kept member under its answer key: the readers of a live answer apply
    qint64 receivedAt = 0;  // when the answer arrived: milliseconds since 1970, UTC

    friend bool operator==(const KeptAnswer &, const KeptAnswer &) = default;
};

namespace KeptDocument {

inline constexpr int kVersion = 1;

// The kinds kept: the name in the document, the answer member kept, and whether it is a list (else an object).
struct Kind {
    const char *name;
    const char *member;
    bool list;
};
inline constexpr Kind kCustomers{"customers", "custList", true};
inline constexpr Kind kPrices{"prices", "matnrPriceList", true};
inline constexpr Kind kCredit{"credit", "custCredit", false};
inline constexpr Kind kShippingPoint{"shippingPoint", "tvstz", false};
inline constexpr Kind kContracts{"contracts", "custContract2List", true};
inline constexpr Kind kContractMaterials{"contractMaterials", "custContract1List", true};
// The customers whose answers an account keeps, most recently opened first.
inline constexpr Kind kOpened{"opened", "opened", true};

// The member of `answer` that `kind` keeps, when it has the kind's type; else nothing.
std::optional<QJsonValue> member(const Kind &kind, const QJsonObject &answer);

QByteArray write(const Kind &kind, const QString &account, const QJsonObject &key, const QJsonValue &member,
                 qint64 receivedAt);
std::optional<KeptAnswer> read(const QByteArray &bytes, const Kind &kind, const QString &account,
                               const QJsonObject &key, QString *why = nullptr);

} // namespace KeptDocument
