// Answer evaluation and the record parsers over arbitrary answer bytes. Properties: an answer is a success
// exactly when it is a JSON document whose "returnCode" is the text "00" (with a text message); anything
// unreadable is the client's failure "9999" without a document; a transport failure is never a success.
// Every array in the answer parses, with every record type, into one record per element whose text
// members are the element's JSON strings and whose numbers follow the strict and lenient rules, checked
// against a separate reading of the rules.
#include "FuzzCheck.h"

#include "model/MasterData.h"
#include "model/OrderStatus.h"
#include "model/UserPushHistory.h"
#include "notify/PushHistory.h"
#include "services/ServiceClient.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cfloat>
#include <cmath>
#include <cstring>

namespace {

QString text(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isString() ? v.toString() : QString();
}

double strict(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? v.toDouble() : v.isBool() ? (v.toBool() ? 1.0 : 0.0) : 0.0;
}

// The lenient rule read a second way: strtod over the whole text, kept to the characters of decimal
// notation (strtod alone would also read hexadecimal, infinities and NaN).
double lenient(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isString())
        return strict(o, key);
    const QByteArray s = v.toString().trimmed().toLatin1(); // anything outside Latin-1 becomes '?'
    char *end = nullptr;
    const double value = std::strtod(s.constData(), &end);
    const bool decimal = std::strspn(s.constData(), "0123456789+-.eE") == size_t(s.size());
    if (s.isEmpty() || end != s.constData() + s.size() || !decimal)
        return 0.0;
    return std::isfinite(value) ? value : 0.0;
}

// Equal, or both below the smallest normal double (an underflowing text may read as 0 or as a subnormal).
bool sameNumber(double a, double b)
{
    return a == b || (std::fabs(a) < DBL_MIN && std::fabs(b) < DBL_MIN);
}

template <class T, class Check>
void checkList(const QJsonObject &answer, const QString &key, Check check)
{
    const QList<T> records = parseList<T>(answer, key);
    const QJsonArray array = answer.value(key).toArray();
    FUZZ_CHECK(records.size() == array.size());
    for (qsizetype i = 0; i < records.size(); ++i)
        check(records.at(i), array.at(i).toObject());
}

void checkRecords(const QJsonObject &answer, const QString &key)
{
    checkList<Inco1>(answer, key, [](const Inco1 &r, const QJsonObject &o) {
        FUZZ_CHECK(r.inco1 == text(o, "inco1") && r.bezei == text(o, "bezei"));
    });
    checkList<Transport>(answer, key, [](const Transport &r, const QJsonObject &o) {
        FUZZ_CHECK(r.transID == text(o, "transID") && r.transName == text(o, "transName"));
    });
    checkList<OrderType>(answer, key, [](const OrderType &r, const QJsonObject &o) {
        FUZZ_CHECK(r.otCode == text(o, "otCode") && r.bukrs == text(o, "bukrs"));
    });
    checkList<Tvstz>(answer, key, [](const Tvstz &r, const QJsonObject &o) {
        FUZZ_CHECK(r.tvstzId == text(o, "tvstzId") && r.tvstzName == text(o, "tvstzName"));
    });
    checkList<OrderCustomer>(answer, key, [](const OrderCustomer &r, const QJsonObject &o) {
        FUZZ_CHECK(r.custID == text(o, "custID") && r.kunnr == text(o, "kunnr") && r.name1 == text(o, "name1"));
        FUZZ_CHECK(r.telNumber == text(o, "telNumber") && r.loevm == text(o, "loevm") && r.vkorg == text(o, "vkorg"));
    });
    checkList<Contract2>(answer, key, [](const Contract2 &r, const QJsonObject &o) {
        FUZZ_CHECK(r.vbeln == text(o, "vbeln") && r.matnr == text(o, "matnr") && r.otName.isEmpty());
        FUZZ_CHECK(sameNumber(r.guebg, lenient(o, "guebg")));
        FUZZ_CHECK(sameNumber(r.gueen, lenient(o, "gueen")));
        FUZZ_CHECK(r.kbetr == float(lenient(o, "kbetr")));
    });
    checkList<OrderItem>(answer, key, [](const OrderItem &r, const QJsonObject &o) {
        FUZZ_CHECK(r.matnr == text(o, "matnr") && r.vstel == text(o, "vstel") && r.inco1Bezei.isEmpty());
        FUZZ_CHECK(r.zmeng == strict(o, "zmeng"));
        FUZZ_CHECK(r.kbetr == float(strict(o, "kbetr")) && r.price == r.kbetr && r.orderNumber == 0);
    });
    checkList<NoticeGroup>(answer, key, [](const NoticeGroup &r, const QJsonObject &o) {
        FUZZ_CHECK(r.userId == text(o, "userID") && r.email == text(o, "email") && r.type == text(o, "type"));
    });
    checkList<OrderHistroy>(answer, key, [](const OrderHistroy &r, const QJsonObject &o) {
        FUZZ_CHECK(r.vbeln == text(o, "vbeln") && r.arktx == text(o, "arktx"));
        FUZZ_CHECK(r.kwmeng == float(strict(o, "kwmeng")) && r.fkimg1 == float(strict(o, "fkimg1")));
        // The date needs both members as JSON numbers.
        if (!o.value(QLatin1String("audat")).isDouble() || !o.value(QLatin1String("erzet")).isDouble())
            FUZZ_CHECK(r.audat.isEmpty());
    });
    checkList<UserPushHistory>(answer, key, [](const UserPushHistory &r, const QJsonObject &o) {
        FUZZ_CHECK(r.newsId == text(o, "newsId") && r.title == text(o, "title") && r.startDate == text(o, "startDate"));
    });
}

} // namespace

void fuzzOne(FuzzedDataProvider &in)
{
    const QByteArray bytes = QByteArray::fromStdString(in.ConsumeRemainingBytesAsString());
    RawResponse response;
    response.url = QUrl(QStringLiteral("http://127.0.0.1/zelkgateway/api/zelkGWService"));
    response.httpStatus = 200;
    response.body = bytes;
    const ApiStatus status = ServiceClient::evaluate(response);

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (bytes.isEmpty() || error.error != QJsonParseError::NoError || document.isNull()) {
        FUZZ_CHECK(!status.isSuccess && status.returnCode == QLatin1String("9999") && !status.returnJson);
    } else {
        FUZZ_CHECK(status.returnJson && *status.returnJson == document);
        const QJsonObject answer = document.object();
        const QJsonValue code = answer.value(QLatin1String("returnCode"));
        const QJsonValue message = answer.contains(QLatin1String("returnMsg")) ? answer.value(QLatin1String("returnMsg"))
                                                                               : answer.value(QLatin1String("returnMessage"));
        if (code.isString() && message.isString()) {
            FUZZ_CHECK(status.returnCode == code.toString() && status.message == message.toString());
            FUZZ_CHECK(status.isSuccess == (code.toString() == QLatin1String("00")));
        } else {
            FUZZ_CHECK(!status.isSuccess && status.returnCode == QLatin1String("9999"));
        }
        // The push history takes its page only from a successful answer.
        const auto page = PushHistory::page(status);
        FUZZ_CHECK(page.has_value() == status.isSuccess);
        if (page)
            FUZZ_CHECK(page->size() == answer.value(QLatin1String("pushList")).toArray().size());
        for (auto it = answer.begin(); it != answer.end(); ++it) {
            if (it.value().isArray())
                checkRecords(answer, it.key());
        }
    }

    // The same bytes after a transport failure: never a success.
    response.transportError = QStringLiteral("connection reset");
    const ApiStatus failed = ServiceClient::evaluate(response);
    FUZZ_CHECK(!failed.isSuccess && failed.returnCode == QLatin1String("9999") && !failed.returnJson);
}
