// The development gateway's request reader over arbitrary connection bytes. Properties: the requests read
// do not depend on how the bytes were split into reads; each request's body is as long as its
// Content-Length; a request written out again reads back the same; form bodies decode to pairs that,
// encoded again, decode to the same pairs.
#include "FuzzCheck.h"

#include "SimHttp.h"

#include <QUrl>

#include <tuple>

// Every part of two requests is the same.
static bool operator==(const SimRequest &a, const SimRequest &b)
{
    return std::tie(a.method, a.target, a.version, a.headers, a.body) ==
           std::tie(b.method, b.target, b.version, b.headers, b.body);
}

namespace {

struct Reading {
    QList<SimRequest> requests;
    SimRequestParser::Result last = SimRequestParser::Result::NeedMore;
    int errorStatus = 0;
};

Reading readAll(const QList<QByteArray> &chunks)
{
    Reading reading;
    SimRequestParser parser;
    for (const QByteArray &chunk : chunks) {
        parser.feed(chunk);
        SimRequest request;
        while ((reading.last = parser.next(&request)) == SimRequestParser::Result::Request)
            reading.requests.append(std::exchange(request, {}));
        if (reading.last == SimRequestParser::Result::Bad)
            break;
    }
    reading.errorStatus = parser.errorStatus();
    return reading;
}

QByteArray written(const SimRequest &r)
{
    QByteArray bytes = r.method + ' ' + r.target + ' ' + r.version + "\r\n";
    for (const auto &[name, value] : r.headers)
        bytes += name + ": " + value + "\r\n";
    return bytes + "\r\n" + r.body;
}

} // namespace

void fuzzOne(FuzzedDataProvider &in)
{
    const size_t cuts = in.ConsumeIntegralInRange<size_t>(0, 8);
    QList<size_t> points;
    for (size_t i = 0; i < cuts; ++i)
        points.append(in.ConsumeIntegral<uint16_t>());
    const QByteArray bytes = QByteArray::fromStdString(in.ConsumeRemainingBytesAsString());

    QList<QByteArray> pieces;
    qsizetype from = 0;
    std::sort(points.begin(), points.end());
    for (size_t p : points) {
        const qsizetype at = std::min<qsizetype>(qsizetype(p), bytes.size());
        pieces.append(bytes.mid(from, at - from));
        from = std::max(from, at);
    }
    pieces.append(bytes.mid(from));

    const Reading whole = readAll({bytes});
    const Reading split = readAll(pieces);
    FUZZ_CHECK(whole.requests == split.requests);
    FUZZ_CHECK(whole.last == split.last && whole.errorStatus == split.errorStatus);

    for (const SimRequest &request : whole.requests) {
        const QByteArray length = request.header("Content-Length");
        FUZZ_CHECK(request.body.size() == (length.isEmpty() ? 0 : length.toLongLong()));
        const Reading again = readAll({written(request)});
        FUZZ_CHECK(again.requests == QList<SimRequest>{request});

        const QList<QPair<QString, QString>> pairs = decodeForm(request.body);
        QByteArray encoded;
        for (const auto &[name, value] : pairs)
            encoded += (encoded.isEmpty() ? "" : "&") + QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
        FUZZ_CHECK(decodeForm(encoded) == pairs);
    }
}
