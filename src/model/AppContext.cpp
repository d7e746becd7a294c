#include "model/AppContext.h"

#include "model/PrivateFiles.h"

#include <QDir>
#include <QStandardPaths>

#include <utility>

namespace {
QString resolveDataDir(const QString &given)
{
    QString dir = given.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : given;
    PrivateFiles::makeFolder(dir);
    return dir;
}
} // namespace

AppContext::AppContext(Options options, QObject *parent)
    : QObject(parent),
      m_dataDir(resolveDataDir(options.dataDir)),
      m_useKeychain(options.useKeychain),
      m_client(std::make_unique<ServiceClient>(options.network)),
      m_operations(*m_client),
      m_secure(QDir(m_dataDir).filePath(QStringLiteral("keychain.json"))),
      m_defaults(QDir(m_dataDir).filePath(QStringLiteral("defaults.ini"))),
      m_documents(QDir(m_dataDir).filePath(QStringLiteral("Documents"))),
      m_lists(m_documents, *m_client, m_operations, m_secure),
      m_draft(m_dataDir, [this] { return userName().value_or(QString()); }),
      m_kept(QDir(m_dataDir).filePath(QStringLiteral("Kept"))),
      m_submissionGuard(m_operations, m_draft),
      m_outbox(m_dataDir, m_submissionGuard, [this] { return m_userInfo.email.value_or(QString()); }),
      m_connectivity(*m_client, m_outbox),
      m_versionCheck(*m_client)
{
    m_client->setListFetchSession({
        [this] { return signedInUserId(); },
        [this] { return m_userInfo.vkorg.value_or(QString()); },
    });
    // Every answer a rep needs offline is kept as it arrives, for the account and customer it was asked for.
    m_client->setAnswerRecorder([this](const QString &apiName, const ApiParameters &parameters) {
        return m_kept.keeper(apiName, parameters, m_customer.customer().kunnr);
    });
    // And served when the gateway cannot be reached, so that order entry goes on.
    m_client->setKeptSource([this](const QString &apiName, const ApiParameters &parameters) {
        return m_kept.reader(apiName, parameters, m_customer.customer().kunnr);
    });
}

AppContext::~AppContext() = default;

void AppContext::start(std::function<void()> ready)
{
    auto finish = [this, ready = std::move(ready)] {
        runStartupClearing();
        m_started = true;
        if (ready)
            ready();
        for (auto &[receiver, action] : std::exchange(m_onStarted, {})) {
            if (receiver)
                action();
        }
    };
    if (m_useKeychain)
        m_secure.open(std::move(finish));
    else {
        m_secure.openFile();
        finish();
    }
}

void AppContext::whenStarted(QObject *receiver, std::function<void()> action)
{
    if (m_started)
        action();
    else
        m_onStarted.append({receiver, std::move(action)});
}

void AppContext::clearStoredUser(bool includePushToken)
{
    for (const QString &key : SecureStore::keys()) {
        if (key == QLatin1String("pushToken") && !includePushToken)
            continue;
        m_secure.remove(key);
    }
    m_userInfo.orderHistoryArray = QJsonArray();
    m_draft.close();
    m_outbox.close();
}

void AppContext::runStartupClearing()
{
    const QString marker = QStringLiteral("open");
    if (!m_defaults.value(marker)) {
        m_defaults.setValue(marker, marker);
        clearStoredUser(true);
    } else {
        clearStoredUser(false);
    }
}
