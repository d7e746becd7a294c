#pragma once
// The development gateway with scripted answers, for tests of the network layer: every request to the
// gateway, the web service or the version check takes the next enqueued reply, or the default reply
// (initially 200 {"returnCode":"00","returnMsg":"OK"}). The gateway runs on its own thread, so it keeps
// answering while the test's thread is blocked.
#include "GatewayFixture.h"

#include <QUrl>

class ScriptedGateway : public GatewayFixture
{
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QJsonObject headers;
        QByteArray body;

        QByteArray header(const QByteArray &name) const; // case-insensitive; empty when absent
        QJsonObject json() const;                        // the body as a JSON object (empty when not one)
    };

    struct Reply {
        enum class Kind { Answer, NeverAnswer, Close };
        Kind kind = Kind::Answer;
        int status = 200;
        QByteArray contentType = "application/json";
        QByteArray body;
        int delayMs = 0; // wait this long before answering (or breaking off)

        static Reply json(const QByteArray &body, int status = 200) { return text(status, "application/json", body); }
        static Reply text(int status, const QByteArray &contentType, const QByteArray &body)
        {
            return {Kind::Answer, status, contentType, body};
        }
        static Reply never() { return {Kind::NeverAnswer}; } // reads the request, never answers, stays open
        static Reply close() { return {Kind::Close}; }       // the answer breaks off after its headers
        Reply delayed(int ms) const
        {
            Reply reply = *this;
            reply.delayMs = ms;
            return reply;
        }
    };

    ScriptedGateway() { setDefaultReply(Reply::json(R"({"returnCode":"00","returnMsg":"OK"})")); }

    QUrl url() const { return QUrl(baseUrl()); }
    quint16 port() const { return quint16(url().port()); }

    void enqueue(const Reply &reply) { script(reply, true); }
    // Replaces the earlier default reply; enqueued replies keep coming first.
    void setDefaultReply(const Reply &reply) { script(reply, false); }

    QList<Request> requests() const;
    int requestCount() const { return int(GatewayFixture::requests().size()); }
    // Processes events of the calling thread until `count` requests have arrived or the time is up.
    bool waitForRequests(int count, int timeoutMs = 5000) const;

    // A loopback port on which nobody listens (for "connection refused").
    static quint16 closedPort();

private:
    bool script(const Reply &reply, bool once);
};
