// Notifications and the version check: push registration, notification history, pushed
// notifications and the version-check answer.
#include "SimAnswers.h"
#include "SimBackend.h"

#include <QMap>

#include <algorithm>

using namespace sim;

QList<SimBackend::PushEntry> *SimBackend::historyFor(const QString &userIdOrToken)
{
    if (userIdOrToken.isEmpty())
        return nullptr;
    if (m_pushHistory.contains(userIdOrToken))
        return &m_pushHistory[userIdOrToken];
    // A device without a signed-in user asks with its push token: the account it registered under.
    const QString account = m_pushTokens.value(userIdOrToken);
    for (const Account &a : std::as_const(m_accounts)) {
        if (!account.isEmpty() && a.account == account && m_pushHistory.contains(a.userID))
            return &m_pushHistory[a.userID];
    }
    return nullptr;
}

QJsonObject SimBackend::pushRegistration(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("token"), QStringLiteral("userId"), QStringLiteral("os")}))
        return *m;
    const QString token = str(p, QStringLiteral("token"));
    if (token.isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("token 不可為空"));
    m_pushTokens.insert(token, str(p, QStringLiteral("userId")));
    return ok({}, QStringLiteral("註冊成功"));
}

QJsonObject SimBackend::userPushHistory(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userId"), QStringLiteral("lastNewsId")}))
        return *m;
    QJsonArray page;
    const QList<PushEntry> *history = historyFor(str(p, QStringLiteral("userId")));
    const int pageSize =
        std::max(1, m_seed.value(QStringLiteral("pushHistory")).toObject().value(QStringLiteral("pageSize")).toInt(10));
    if (history) {
        const QString last = str(p, QStringLiteral("lastNewsId"));
        qsizetype start = 0;
        if (!last.isEmpty()) {
            start = history->size(); // an unknown cursor gives an empty page
            for (qsizetype i = 0; i < history->size(); ++i) {
                if (QString::number(history->at(i).newsId) == last) {
                    start = i + 1;
                    break;
                }
            }
        }
        for (qsizetype i = start; i < history->size() && page.size() < pageSize; ++i) {
            const PushEntry &e = history->at(i);
            page.append(QJsonObject{{"newsId", QString::number(e.newsId)},
                                    {"content", e.content},
                                    {"endDate", e.endDate},
                                    {"startDate", e.startDate},
                                    {"title", e.title},
                                    {"sourceId", "ZELK_PROD"},
                                    {"uploadImage", ""},
                                    {"type", e.type}});
        }
    }
    return ok({{"pushList", page}});
}

QString SimBackend::pushUserId(const QJsonObject &request) const
{
    QString userID = str(request, QStringLiteral("userId"));
    const QString accountName = str(request, QStringLiteral("account"));
    for (const Account &a : std::as_const(m_accounts)) {
        if (!accountName.isEmpty() && a.account == accountName)
            userID = a.userID;
    }
    return userID;
}

QStringList SimBackend::pushTokensFor(const QJsonObject &request) const
{
    const Account *account = accountById(pushUserId(request));
    QStringList tokens;
    for (auto it = m_pushTokens.cbegin(); it != m_pushTokens.cend(); ++it) {
        if (account && it.value() == account->account)
            tokens << it.key();
    }
    tokens.sort();
    return tokens;
}

QJsonObject SimBackend::pushDevices() const
{
    QMap<QString, QStringList> byAccount;
    for (auto it = m_pushTokens.cbegin(); it != m_pushTokens.cend(); ++it)
        byAccount[it.value()] << it.key();
    QJsonObject devices;
    for (auto it = byAccount.begin(); it != byAccount.end(); ++it) {
        it->sort();
        devices.insert(it.key(), QJsonArray::fromStringList(*it));
    }
    return devices;
}

QJsonObject SimBackend::addPush(const QJsonObject &request)
{
    const QString userID = pushUserId(request);
    const QString accountName = str(request, QStringLiteral("account"));
    if (!m_pushHistory.contains(userID))
        return fail(QStringLiteral("01"), QStringLiteral("查無帳號: ") + (userID.isEmpty() ? accountName : userID));
    PushEntry e;
    e.newsId = m_nextNewsId++;
    e.title = str(request, QStringLiteral("title"));
    e.content = str(request, QStringLiteral("content"));
    e.type = request.contains(QStringLiteral("type")) ? str(request, QStringLiteral("type")) : QStringLiteral("3");
    const QDateTime at = utcToTaipeiFields(now());
    e.startDate = at.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    e.endDate = at.addDays(30).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    m_pushHistory[userID].prepend(e);
    return ok({{"newsId", QString::number(e.newsId)}});
}

// ---- version check ----

bool SimBackend::setVersionState(const QString &state, const QString &note, const QString &url)
{
    if (state != QLatin1String("none") && state != QLatin1String("optional") && state != QLatin1String("forced"))
        return false;
    m_version.state = state;
    if (!note.isNull())
        m_version.note = note;
    if (!url.isNull())
        m_version.url = url;
    return true;
}

QJsonObject SimBackend::checkVersion(const QJsonObject &params) const
{
    Q_UNUSED(params);
    const QJsonObject versions{{"updateNote", m_version.note}, {"updateUrl", m_version.url}};
    if (m_version.state == QLatin1String("forced"))
        return {{"returnCode", "0023"}, {"returnMessage", "此版本已停止使用，請立即更新"}, {"versions", versions}};
    if (m_version.state == QLatin1String("optional"))
        return {{"returnCode", "0022"}, {"returnMessage", "有新版本可供更新"}, {"versions", versions}};
    return {{"returnCode", "00"}, {"returnMessage", "已是最新版本"}};
}
