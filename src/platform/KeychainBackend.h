#pragma once
// The platform keychain through QtKeychain, which lives in a module of its own (zelkkeychain) opened at
// run time: the keychain library and the Secret Service stack it opens (libsecret, GLib's object and I/O
// libraries) are not mapped at launch. Jobs run and answer on the main thread.
#include <QObject>
#include <QString>

#include <functional>

class KeychainBackend
{
public:
    enum class Status { Ok, NotFound, Failed };
    // `text` is the value read (reads), or the keychain's error text when the status is not Ok.
    using Answer = std::function<void(Status status, const QString &text)>;

    virtual ~KeychainBackend() = default;

    // Each entry is named by a service and an account. Every job is a child of `owner` and answers
    // later, on the main thread, unless `owner` is gone by then.
    virtual void read(QObject *owner, const QString &service, const QString &account, Answer done) = 0;
    virtual void write(QObject *owner, const QString &service, const QString &account, const QString &value,
                       Answer done) = 0;
    virtual void remove(QObject *owner, const QString &service, const QString &account, Answer done) = 0;

    // The module's backend, loaded on the first call (on any thread: loading maps the libraries, so the
    // app calls it on a worker); null when the module cannot be loaded.
    static KeychainBackend *instance();
};

// The interface the module's root object implements (see AppModule.h).
#define ZelkKeychainBackend_iid "tw.com.zelk.eip.KeychainBackend/1"
Q_DECLARE_INTERFACE(KeychainBackend, ZelkKeychainBackend_iid)
