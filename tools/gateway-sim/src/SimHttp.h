#pragma once
// The development gateway's HTTP/1.1 layer: requests read from a connection's bytes (several may arrive
// pipelined in one read; they are taken in order), bodies framed by Content-Length, and the decoder of
// form-encoded bodies.
#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

struct SimRequest {
    QByteArray method;
    QByteArray target;                            // as sent, with the query
    QByteArray version;                           // "HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> headers; // as sent
    QByteArray body;

    QByteArray header(QByteArrayView name) const; // case-insensitive; the first one; empty when absent
    QString path() const;                         // the target without its query, percent-decoded
    // The client asks for the connection to end after this answer: "Connection: close", or HTTP/1.0
    // without "Connection: keep-alive".
    bool wantsClose() const;
};

class SimRequestParser
{
public:
    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
    static constexpr qsizetype kMaxBodyBytes = 256 * 1024 * 1024;

    enum class Result { NeedMore, Request, Bad };

    void feed(QByteArrayView bytes);
    // Takes the next complete request. After Bad the connection's bytes cannot be framed any more:
    // answer errorStatus() and close.
    Result next(SimRequest *request);
    // Bytes of an unfinished request are waiting (for the stall limit).
    bool hasPartialRequest() const { return m_offset < m_buffer.size(); }
    int errorStatus() const { return m_errorStatus; }
    QByteArray errorText() const { return m_errorText; }

private:
    Result fail(int status, const QByteArray &text);

    QByteArray m_buffer;
    qsizetype m_offset = 0; // start of the first unread request in m_buffer
    int m_errorStatus = 0;
    QByteArray m_errorText;
};

// application/x-www-form-urlencoded: pairs split at '&', name and value at the first '=', '+' read as a
// space, %XX as the byte XX (a '%' not followed by two hex digits stays as it is), then UTF-8. Empty pairs
// are skipped. Linear in the length of the body.
QList<QPair<QString, QString>> decodeForm(QByteArrayView body);
// The decoded fields as one object; a repeated field keeps its last value.
QJsonObject decodeFormObject(QByteArrayView body);
