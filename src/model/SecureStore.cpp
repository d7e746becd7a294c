#include "model/SecureStore.h"

#include "model/PrivateFiles.h"
#include "services/LogRedaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include <memory>

Q_LOGGING_CATEGORY(lcSecure, "zelk.model.securestore", QtWarningMsg)

namespace {
const QString kAccount = QStringLiteral(ZELK_BUNDLE_ID);
const QString kProbeService = QStringLiteral("zelk.probe");
constexpr int kProbeLimitMs = 3000;
} // namespace

const QStringList &SecureStore::keys()
{
    static const QStringList all{QStringLiteral("userId"), QStringLiteral("pushToken"), QStringLiteral("userName"),
                                 QStringLiteral("userAccount")};
    return all;
}

SecureStore::SecureStore(const QString &fallbackFile, QObject *parent) : QObject(parent), m_file(fallbackFile)
{
    m_writer.setMaxThreadCount(1);
}

SecureStore::~SecureStore() { m_writer.waitForDone(); }

void SecureStore::openFile()
{
    m_backend = Backend::File;
    loadFile();
    m_ready = true;
}

void SecureStore::open(std::function<void()> ready)
{
    probeKeychain([this, ready = std::move(ready)](bool works) {
        if (works) {
            m_backend = Backend::Keychain;
            loadKeychain([this, ready] {
                m_ready = true;
                ready();
            });
        } else {
            qCDebug(lcSecure) << "no platform keychain answers; using" << m_file;
            openFile();
            ready();
        }
    });
}

// A read alone can answer "not found" on a keychain that stores nothing, so the probe writes a value,
// reads it back and deletes it. A keychain that does not finish within the limit counts as absent.
void SecureStore::probeKeychain(std::function<void(bool)> done)
{
    auto finished = std::make_shared<bool>(false);
    auto finish = [finished, done](bool works) {
        if (*finished)
            return;
        *finished = true;
        done(works);
    };
    QTimer::singleShot(kProbeLimitMs, this, [finish] { finish(false); });

    const QString token = QString::number(QDateTime::currentMSecsSinceEpoch());
    auto *write = new QKeychain::WritePasswordJob(kProbeService, this);
    write->setAutoDelete(true);
    write->setInsecureFallback(false);
    write->setKey(kAccount);
    write->setTextData(token);
    connect(write, &QKeychain::Job::finished, this, [this, token, finish](QKeychain::Job *w) {
        if (w->error() != QKeychain::NoError)
            return finish(false);
        auto *read = new QKeychain::ReadPasswordJob(kProbeService, this);
        read->setAutoDelete(true);
        read->setKey(kAccount);
        connect(read, &QKeychain::Job::finished, this, [this, token, finish](QKeychain::Job *r) {
            const bool same = r->error() == QKeychain::NoError &&
                              static_cast<QKeychain::ReadPasswordJob *>(r)->textData() == token;
            auto *del = new QKeychain::DeletePasswordJob(kProbeService, this);
            del->setAutoDelete(true);
            del->setKey(kAccount);
            del->start();
            finish(same);
        });
        read->start();
    });
    write->start();
}

void SecureStore::loadKeychain(std::function<void()> done)
{
    auto pending = std::make_shared<int>(keys().size());
    for (const QString &key : keys()) {
        // Each value lives under the service named by its key and the app's identifier as account.
        auto *read = new QKeychain::ReadPasswordJob(key, this);
        read->setAutoDelete(true);
        read->setKey(kAccount);
        connect(read, &QKeychain::Job::finished, this, [this, key, pending, done](QKeychain::Job *job) {
            if (job->error() == QKeychain::NoError)
                remember(key, static_cast<QKeychain::ReadPasswordJob *>(job)->textData());
            if (--*pending == 0)
                done();
        });
        read->start();
    }
}

// Every keychain value is kept out of log lines from the moment it is known.
void SecureStore::remember(const QString &key, const QString &value)
{
    m_values.insert(key, value);
    LogRedaction::addSecret(value);
}

std::optional<QString> SecureStore::value(const QString &key) const
{
    const QString v = m_values.value(key);
    if (v.isEmpty())
        return std::nullopt;
    return v;
}

void SecureStore::setValue(const QString &key, const std::optional<QString> &value)
{
    const bool remove = !value || value->isEmpty();
    if (remove)
        m_values.remove(key);
    else
        remember(key, *value);

    if (m_backend == Backend::File) {
        saveFile();
        return;
    }
    QKeychain::Job *job = nullptr;
    if (remove) {
        job = new QKeychain::DeletePasswordJob(key, this);
        static_cast<QKeychain::DeletePasswordJob *>(job)->setKey(kAccount);
    } else {
        auto *write = new QKeychain::WritePasswordJob(key, this);
        write->setKey(kAccount);
        write->setTextData(*value);
        job = write;
    }
    job->setAutoDelete(true);
    connect(job, &QKeychain::Job::finished, this, [key](QKeychain::Job *j) {
        if (j->error() != QKeychain::NoError && j->error() != QKeychain::EntryNotFound)
            qCWarning(lcSecure) << "keychain write of" << key << "failed:" << j->errorString();
    });
    job->start();
}

void SecureStore::loadFile()
{
    // A write of this process still under way is what the file will hold.
    m_writer.waitForDone();
    m_values.clear();
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString())
            remember(it.key(), it.value().toString());
    }
}

void SecureStore::saveFile()
{
    QJsonObject object;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        object.insert(it.key(), it.value());
    const int write = ++*m_newestWrite;
    m_writer.start([newest = m_newestWrite, write, path = m_file,
                    bytes = QJsonDocument(object).toJson(QJsonDocument::Compact)] {
        if (write != newest->load())
            return;
        PrivateFiles::makeFolder(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            qCWarning(lcSecure) << "cannot write" << path << file.errorString();
            return;
        }
        // Owner-only before any secret is written into the temporary file.
        file.setPermissions(PrivateFiles::kFileMode);
        file.write(bytes);
        if (!file.commit())
            qCWarning(lcSecure) << "cannot write" << path << file.errorString();
    });
}
