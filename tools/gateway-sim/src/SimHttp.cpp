#include "SimHttp.h"

#include <QMap>
#include <QUrl>

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QString decodeComponent(QByteArrayView part)
{
    QByteArray bytes;
    bytes.reserve(part.size());
    for (qsizetype i = 0; i < part.size(); ++i) {
        const char c = part[i];
        if (c == '+') {
            bytes += ' ';
        } else if (c == '%' && i + 2 < part.size() && hexValue(part[i + 1]) >= 0 && hexValue(part[i + 2]) >= 0) {
            bytes += char(hexValue(part[i + 1]) * 16 + hexValue(part[i + 2]));
            i += 2;
        } else {
            bytes += c;
        }
    }
    return QString::fromUtf8(bytes);
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r'))
        v.chop(1);
    return v;
}

bool isToken(QByteArrayView v)
{
    if (v.isEmpty())
        return false;
    for (const char c : v) {
        if (c <= ' ' || c >= 127 || QByteArrayView("()<>@,;:\\\"/[]?={}").contains(c))
            return false;
    }
    return true;
}

} // namespace

QByteArray SimRequest::header(QByteArrayView name) const
{
    for (const auto &[key, value] : headers) {
        if (QByteArrayView(key).compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QString SimRequest::path() const
{
    const qsizetype query = target.indexOf('?');
    return QUrl::fromPercentEncoding(query < 0 ? target : target.left(query));
}

bool SimRequest::wantsClose() const
{
    const QByteArray connection = header("Connection").toLower();
    if (connection.contains("close"))
        return true;
    return version == "HTTP/1.0" && !connection.contains("keep-alive");
}

void SimRequestParser::feed(QByteArrayView bytes)
{
    // Requests already taken are dropped before the buffer grows, so a long pipelined stream costs
    // linear time.
    if (m_offset > 0) {
        m_buffer.remove(0, m_offset);
        m_offset = 0;
    }
    m_buffer.append(bytes);
}

SimRequestParser::Result SimRequestParser::fail(int status, const QByteArray &text)
{
    m_errorStatus = status;
    m_errorText = text;
    return Result::Bad;
}

SimRequestParser::Result SimRequestParser::next(SimRequest *request)
{
    if (m_errorStatus != 0)
        return Result::Bad;
    // Blank lines between requests are allowed before a request line.
    while (m_offset + 1 < m_buffer.size() && m_buffer.at(m_offset) == '\r' && m_buffer.at(m_offset + 1) == '\n')
        m_offset += 2;
    const QByteArrayView pending = QByteArrayView(m_buffer).sliced(m_offset);
    const qsizetype headerEnd = pending.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        if (pending.size() > kMaxHeaderBytes)
            return fail(431, "request headers over 64 KiB");
        return Result::NeedMore;
    }
    if (headerEnd > kMaxHeaderBytes)
        return fail(431, "request headers over 64 KiB");

    SimRequest r;
    const QByteArrayView head = pending.first(headerEnd);
    qsizetype lineEnd = head.indexOf("\r\n");
    const QByteArrayView requestLine = lineEnd < 0 ? head : head.first(lineEnd);
    const QList<QByteArray> parts = requestLine.toByteArray().split(' ');
    if (parts.size() != 3 || !isToken(parts.at(0)) || parts.at(1).isEmpty() || !parts.at(2).startsWith("HTTP/1."))
        return fail(400, "malformed request line");
    r.method = parts.at(0);
    r.target = parts.at(1);
    r.version = parts.at(2);

    qsizetype length = 0;
    bool haveLength = false;
    while (lineEnd >= 0) {
        const qsizetype start = lineEnd + 2;
        lineEnd = head.indexOf("\r\n", start);
        const QByteArrayView line = head.sliced(start, (lineEnd < 0 ? head.size() : lineEnd) - start);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !isToken(line.first(colon)))
            return fail(400, "malformed header line");
        const QByteArray name = line.first(colon).toByteArray();
        const QByteArray value = trimmed(line.sliced(colon + 1)).toByteArray();
        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            bool ok = !value.isEmpty();
            for (const char c : value)
                ok = ok && c >= '0' && c <= '9';
            const qsizetype n = ok && value.size() <= 12 ? value.toLongLong() : -1;
            if (n < 0 || (haveLength && n != length))
                return fail(400, "invalid Content-Length");
            length = n;
            haveLength = true;
        } else if (name.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0 &&
                   value.compare("identity", Qt::CaseInsensitive) != 0) {
            return fail(501, "only bodies framed by Content-Length are supported");
        }
        r.headers.append({name, value});
    }
    if (length > kMaxBodyBytes)
        return fail(413, "request body over 256 MiB");
    const qsizetype bodyStart = headerEnd + 4;
    if (pending.size() - bodyStart < length)
        return Result::NeedMore;
    r.body = pending.sliced(bodyStart, length).toByteArray();
    m_offset += bodyStart + length;
    *request = std::move(r);
    return Result::Request;
}

QList<QPair<QString, QString>> decodeForm(QByteArrayView body)
{
    QList<QPair<QString, QString>> pairs;
    qsizetype start = 0;
    while (start <= body.size()) {
        qsizetype end = body.indexOf('&', start);
        if (end < 0)
            end = body.size();
        const QByteArrayView field = body.sliced(start, end - start);
        if (!field.isEmpty()) {
            const qsizetype equals = field.indexOf('=');
            if (equals < 0)
                pairs.append({decodeComponent(field), QString()});
            else
                pairs.append({decodeComponent(field.first(equals)), decodeComponent(field.sliced(equals + 1))});
        }
        start = end + 1;
    }
    return pairs;
}

QJsonObject decodeFormObject(QByteArrayView body)
{
    QMap<QString, QString> fields;
    for (const auto &[key, value] : decodeForm(body))
        fields.insert(key, value);
    // Inserted in key order, each field lands at the object's end: n log n even for very large forms.
    QJsonObject object;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        object.insert(it.key(), it.value());
    return object;
}
