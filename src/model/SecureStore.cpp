#include "model/SecureStore.h"

#include "model/PrivateFiles.h"
#include "platform/KeychainBackend.h"
#include "services/LogRedaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QTimer>
#include <QtConcurrent>

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
    // Opening the keychain module maps the keychain's libraries: that waits for the disk, so it runs on a
    // worker, and the probe follows on the main thread.
    auto *opening = new QFutureWatcher<KeychainBackend *>(this);
    connect(opening, &QFutureWatcherBase::finished, this, [this, opening, ready = std::move(ready)] {
        m_keychain = opening->result();
        opening->deleteLater();
        probeKeychain([this, ready](bool works) {
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
    });
    opening->setFuture(QtConcurrent::run(&KeychainBackend::instance));
}

// A read alone can answer "not found" on a keychain that stores nothing, so the probe writes a value,
// reads it back and deletes it. A keychain that does not finish within the limit counts as absent.
void SecureStore::probeKeychain(std::function<void(bool)> done)
{
    if (!m_keychain)
        return done(false);
    auto finished = std::make_shared<bool>(false);
    auto finish = [finished, done](bool works) {
        if (*finished)
            return;
        *finished = true;
        done(works);
    };
    QTimer::singleShot(kProbeLimitMs, this, [finish] { finish(false); });

    const QString token = QString::number(QDateTime::currentMSecsSinceEpoch());
    using Status = KeychainBackend::Status;
    m_keychain->write(this, kProbeService, kAccount, token, [this, token, finish](Status written, const QString &) {
        if (written != Status::Ok)
            return finish(false);
        m_keychain->read(this, kProbeService, kAccount, [this, token, finish](Status read, const QString &text) {
            m_keychain->remove(this, kProbeService, kAccount, {});
            finish(read == Status::Ok && text == token);
        });
    });
}

void SecureStore::loadKeychain(std::function<void()> done)
{
    auto pending = std::make_shared<int>(keys().size());
    for (const QString &key : keys()) {
        // Each value lives under the service named by its key and the app's identifier as account.
        m_keychain->read(this, key, kAccount,
                         [this, key, pending, done](KeychainBackend::Status status, const QString &text) {
            if (status == KeychainBackend::Status::Ok)
                remember(key, text);
            if (--*pending == 0)
                done();
        });
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
    auto answered = [key](KeychainBackend::Status status, const QString &error) {
        if (status == KeychainBackend::Status::Failed)
            qCWarning(lcSecure) << "keychain write of" << key << "failed:" << error;
    };
    if (remove)
        m_keychain->remove(this, key, kAccount, answered);
    else
        m_keychain->write(this, key, kAccount, *value, answered);
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
