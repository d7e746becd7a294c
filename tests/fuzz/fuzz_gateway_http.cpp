// The development gateway's request reader over arbitrary connection bytes. Properties: the requests read
// do not depend on how the bytes were split into reads; each request's body is as long as its
// Content-Length; a request written out again reads back the same; form bodies decode to pairs that,
// encoded again, decode to the same pairs.
#include "FuzzCheck.h"

#include "SimHttp.h"

#include <QUrl>

#include <fuzzer/FuzzedDataProvider.h>

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
        while (true) {
            SimRequest request;
            reading.last = parser.next(&request);
            if (reading.last != SimRequestParser::Result::Request)
                break;
            reading.requests.append(request);
        }
        if (reading.last == SimRequestParser::Result::Bad)
            break;
    }
    reading.errorStatus = parser.errorStatus();
    return reading;
}

bool same(const SimRequest &a, const SimRequest &b)
{
    return a.method == b.method && a.target == b.target && a.version == b.version && a.headers == b.headers &&
           a.body == b.body;
}

QByteArray written(const SimRequest &r)
{
    QByteArray bytes = r.method + ' ' + r.target + ' ' + r.version + "\r\n";
    for (const auto &[name, value] : r.headers)
        bytes += name + ": " + value + "\r\n";
    return bytes + "\r\n" + r.body;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const size_t cuts = in.ConsumeIntegralInRange<size_t>(0, 8);
    QList<size_t> points;
    for (size_t i = 0; i < cuts; ++i)
        points.append(in.ConsumeIntegral<uint16_t>());
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray bytes = QByteArray::fromStdString(rest);

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
    FUZZ_CHECK(whole.requests.size() == split.requests.size());
    for (qsizetype i = 0; i < whole.requests.size(); ++i)
        FUZZ_CHECK(same(whole.requests.at(i), split.requests.at(i)));
    FUZZ_CHECK(whole.last == split.last && whole.errorStatus == split.errorStatus);

    for (const SimRequest &request : whole.requests) {
        const QByteArray length = request.header("Content-Length");
        FUZZ_CHECK(request.body.size() == (length.isEmpty() ? 0 : length.toLongLong()));
        const Reading again = readAll({written(request)});
        FUZZ_CHECK(again.requests.size() == 1 && same(again.requests.first(), request));

        const QList<QPair<QString, QString>> pairs = decodeForm(request.body);
        QByteArray encoded;
        for (const auto &[name, value] : pairs)
            encoded += (encoded.isEmpty() ? "" : "&") + QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
        const QList<QPair<QString, QString>> decodedAgain = decodeForm(encoded);
        FUZZ_CHECK(decodedAgain.size() == pairs.size());
        for (qsizetype i = 0; i < pairs.size(); ++i)
            FUZZ_CHECK(decodedAgain.at(i) == pairs.at(i));
    }
    return 0;
}
