#pragma once
// The process-wide holders of the app, created once in main (or fresh in each test) and passed down:
// the service client and its catalogue, the keychain, the user defaults, the stored documents, the
// session record, the master-data lists, the current-customer context, the order draft, the data kept for
// working offline, the submission guard, the outbox, whether the gateway answers, and the version-check state.
#include "model/Connectivity.h"
#include "model/CustomerStruct.h"
#include "model/DocumentStore.h"
#include "model/KeptData.h"
#include "model/ListStore.h"
#include "model/OrderDraft.h"
#include "model/Outbox.h"
#include "model/SecureStore.h"
#include "model/SubmissionGuard.h"
#include "model/UserDefaults.h"
#include "model/UserInfo.h"
#include "platform/PushService.h"
#include "services/ApiStatus.h"
#include "services/VersionCheck.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

class AppContext : public QObject
{
    Q_OBJECT
public:
    struct Options {
        QString dataDir;                             // app data folder; the standard one when empty
        QNetworkAccessManager *network = nullptr;   // the one network manager; created when null
        bool useKeychain = true;                     // false: owner-only file without probing the keychain
    };

    explicit AppContext(Options options, QObject *parent = nullptr);
    ~AppContext() override;

    // Opens the keychain (probe, then load) and runs the start-up clearing; `ready` runs when done.
    // With the file store everything happens before start() returns.
    void start(std::function<void()> ready = {});
    bool isStarted() const { return m_started; }
    // Runs `action` once start() has finished (at once when it has), unless `receiver` is gone by then:
    // what stores a keychain value waits for the start-up clearing, which would otherwise remove it.
    void whenStarted(QObject *receiver, std::function<void()> action);

    // Keychain values; absent when missing or stored empty.
    std::optional<QString> userId() const { return m_secure.value(QStringLiteral("userId")); }
    // The signed-in user's id as requests carry it: empty when nobody is signed in.
    QString signedInUserId() const { return userId().value_or(QString()); }
    std::optional<QString> userName() const { return m_secure.value(QStringLiteral("userName")); }
    std::optional<QString> userAccount() const { return m_secure.value(QStringLiteral("userAccount")); }
    std::optional<QString> pushToken() const { return m_secure.value(QStringLiteral("pushToken")); }

    // Deletes the keychain values in key-list order ("pushToken" only with the flag), empties the
    // session record's order history and closes the order draft (its document stays). Other session
    // fields are untouched.
    void clearStoredUser(bool includePushToken);
    // First launch after installation (no "open" marker): set it and clear including the push token;
    // later launches clear without it.
    void runStartupClearing();

    QString dataDir() const { return m_dataDir; }
    ServiceClient &client() { return *m_client; }
    Operations &operations() { return m_operations; }
    SecureStore &secureStore() { return m_secure; }
    UserDefaults &userDefaults() { return m_defaults; }
    DocumentStore &documents() { return m_documents; }
    UserInfo &userInfo() { return m_userInfo; }
    ListStore &lists() { return m_lists; }
    CustomerStruct &customerStruct() { return m_customer; }
    OrderDraft &draft() { return m_draft; }
    KeptData &kept() { return m_kept; }
    SubmissionGuard &submissionGuard() { return m_submissionGuard; }
    Outbox &outbox() { return m_outbox; }
    Connectivity &connectivity() { return m_connectivity; }
    VersionCheck &versionCheck() { return m_versionCheck; }
    // The platform's push service, or null where there is none (not owned).
    PushService *pushService() const { return m_pushService; }
    void setPushService(PushService *service) { m_pushService = service; }

private:
    QString m_dataDir;
    bool m_useKeychain;
    bool m_started = false;
    QList<std::pair<QPointer<QObject>, std::function<void()>>> m_onStarted;
    std::unique_ptr<ServiceClient> m_client;
    Operations m_operations;
    SecureStore m_secure;
    UserDefaults m_defaults;
    DocumentStore m_documents;
    UserInfo m_userInfo;
    ListStore m_lists;
    CustomerStruct m_customer;
    OrderDraft m_draft;
    KeptData m_kept;
    SubmissionGuard m_submissionGuard;
    Outbox m_outbox;
    Connectivity m_connectivity;
    VersionCheck m_versionCheck;
    QPointer<PushService> m_pushService;
};
