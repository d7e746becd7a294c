#pragma once
// One running copy of the app per user. The first start holds a lock file and listens on a local socket,
// both in the user's runtime folder and named by the application id; a later start finds the lock taken,
// asks the first copy over the socket to show its window, and ends. The lock records its owner's process,
// so a lock left by a killed copy is taken over by the next start. Only main() creates one: copies of
// the app's state made elsewhere (tests) are not affected.
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // `id` (the application id) names the lock and the socket in the user's runtime folder.
    explicit SingleInstance(const QString &id, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first copy: it now holds the lock and answers later starts. Also true when no
    // lock can be made (no runtime folder): the app then runs without the guard.
    bool claim();

    // For a later start: asks the first copy to show its window. `done(true)` runs on the main thread
    // once it confirmed, `done(false)` when it did not within the limit. Never blocks.
    void activateFirst(std::function<void(bool)> done);

signals:
    // A later start asked this copy to show its window. `token` is the Wayland activation token its
    // launcher gave it (XDG_ACTIVATION_TOKEN), without which a compositor may refuse to raise the window.
    void activationRequested(const QString &token);

private:
    void listen();

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
