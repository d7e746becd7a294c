#pragma once
// The keychain: four string values ("userId", "userName", "userAccount", "pushToken").
// Backed by the platform keychain (QtKeychain, opened at run time: platform/KeychainBackend.h) when one
// answers a write/read/delete probe, otherwise by an owner-only (0600) file in the app's data folder. Values are loaded into memory once at start-up, so
// reads are synchronous; writes update memory at once and go through to the backing store, the file
// replaced on a writer thread of its own (its atomic replace waits for the disk).
#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

#include <functional>
#include <optional>

class KeychainBackend;

class SecureStore : public QObject
{
    Q_OBJECT
public:
    enum class Backend { Keychain, File };

    static const QStringList &keys(); // "userId", "pushToken", "userName", "userAccount" (clearing order)

    // `fallbackFile` is the owner-only file used when no keychain answers.
    explicit SecureStore(const QString &fallbackFile, QObject *parent = nullptr);
    // Every file write queued lands first.
    ~SecureStore() override;

    // Opens the keychain module on a worker, probes the platform keychain, then loads every value; `ready`
    // runs on the main thread when done. Never blocks and never spins a nested event loop.
    void open(std::function<void()> ready);
    // Uses the file without probing the keychain (tests, and platforms known to have none).
    void openFile();

    bool isReady() const { return m_ready; }
    Backend backend() const { return m_backend; }

    // The value when it exists and is not empty; an empty stored string reads as absent.
    std::optional<QString> value(const QString &key) const;
    // Writing an absent (or empty) value deletes the entry.
    void setValue(const QString &key, const std::optional<QString> &value);
    void remove(const QString &key) { setValue(key, std::nullopt); }

private:
    void probeKeychain(std::function<void(bool)> done);
    void loadKeychain(std::function<void()> done);
    void loadFile();
    void saveFile();
    void remember(const QString &key, const QString &value);

    QString m_file;
    KeychainBackend *m_keychain = nullptr;
    QHash<QString, QString> m_values;
    Backend m_backend = Backend::File;
    bool m_ready = false;
    QThreadPool m_writer;
    // The newest file write queued: an older one still waiting is superseded by it and skipped.
    std::shared_ptr<std::atomic<int>> m_newestWrite = std::make_shared<std::atomic<int>>(0);
};
