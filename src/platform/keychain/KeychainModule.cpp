// The zelkkeychain module: KeychainBackend over QtKeychain, opened by the app at run time.
#include "platform/KeychainBackend.h"

#include <QLibrary>

#include <qt6keychain/keychain.h>

namespace {
KeychainBackend::Status statusOf(const QKeychain::Job *job)
{
    switch (job->error()) {
    case QKeychain::NoError:
        return KeychainBackend::Status::Ok;
    case QKeychain::EntryNotFound:
        return KeychainBackend::Status::NotFound;
    default:
        return KeychainBackend::Status::Failed;
    }
}

// The module's root object (made by Qt's plugin loader, on the thread that loads the module).
class QtKeychainBackend final : public QObject, public KeychainBackend
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZelkKeychainBackend_iid)
    Q_INTERFACES(KeychainBackend)

public:
    QtKeychainBackend()
    {
        // The keychain library opens the Secret Service library at its first job, on the main thread;
        // opened here, on the thread that loads this module, that job finds it mapped already. Absent, the
        // keychain looks for another service as before.
        QLibrary(QStringLiteral("secret-1"), 0).load();
    }

    void read(QObject *owner, const QString &service, const QString &account, Answer done) override
    {
        auto *job = new QKeychain::ReadPasswordJob(service, owner);
        job->setKey(account);
        run(owner, job, [job](KeychainBackend::Status status) {
            return status == Status::Ok ? job->textData() : job->errorString();
        }, std::move(done));
    }

    void write(QObject *owner, const QString &service, const QString &account, const QString &value,
               Answer done) override
    {
        auto *job = new QKeychain::WritePasswordJob(service, owner);
        job->setKey(account);
        job->setTextData(value);
        run(owner, job, [job](Status) { return job->errorString(); }, std::move(done));
    }

    void remove(QObject *owner, const QString &service, const QString &account, Answer done) override
    {
        auto *job = new QKeychain::DeletePasswordJob(service, owner);
        job->setKey(account);
        run(owner, job, [job](Status) { return job->errorString(); }, std::move(done));
    }

private:
    template<typename Text>
    static void run(QObject *owner, QKeychain::Job *job, Text text, Answer done)
    {
        job->setAutoDelete(true);
        QObject::connect(job, &QKeychain::Job::finished, owner, [text, done](QKeychain::Job *finished) {
            const Status status = statusOf(finished);
            if (done)
                done(status, text(status));
        });
        job->start();
    }
};
} // namespace

#include "KeychainModule.moc"
