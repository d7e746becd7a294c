#pragma once
// One running copy of the app per user. The first start holds a lock file and listens on a local socket,
// both in the user's runtime folder and named by the application id; a later start finds the lock taken,
// asks the first copy over the socket to show its window, and ends. The lock is an flock(2) on the file,
// which the kernel releases when its holder ends however it ends, so a killed copy never keeps the next
// start out; a start that finds the holder still being torn down takes the lock once it is released.
// Only main() creates one: copies of the app's state made elsewhere (tests) are not affected.
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

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

    enum class Answer {
        shown,    // the first copy confirmed that it shows its window
        claimed,  // the first copy ended meanwhile: this start now holds the lock and is the first copy
        noAnswer, // the lock is held and no copy answered within the limit
    };

    // For a later start: asks the first copy to show its window, and meanwhile keeps trying the lock, as
    // a holder that was killed may still be torn down. `done` runs once, on the main thread. Never blocks.
    void activateFirst(std::function<void(Answer)> done);

signals:
    // A later start asked this copy to show its window. `token` is the Wayland activation token its
    // launcher gave it (XDG_ACTIVATION_TOKEN), without which a compositor may refuse to raise the window.
    void activationRequested(const QString &token);

private:
    enum class Lock { taken, held, unavailable };
    Lock lock();
    void listen();

    QString m_lockPath;
    QString m_socketPath;
    int m_lockFd = -1;
    QLocalServer *m_server = nullptr;
};
