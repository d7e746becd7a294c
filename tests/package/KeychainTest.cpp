// The keychain of a desktop session, proven through sign-in and sign-out against the development gateway.
// Run by with-keyring.sh: on a private bus with gnome-keyring the values live in the Secret Service and
// nowhere else; with no bus they live in the owner-only file.
#include "AppHarness.h"
#include "TestRegistry.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {
// What secret-tool finds under the attributes the keychain library stores an item with: the account as
// "user", the service (the value's key) as "server", "plaintext" as "type". Empty when nothing answers.
QString secretService(const QString &key)
{
    QProcess lookup;
    lookup.start(QStringLiteral("secret-tool"),
                 {QStringLiteral("lookup"), QStringLiteral("user"), QStringLiteral(ZELK_BUNDLE_ID),
                  QStringLiteral("server"), key, QStringLiteral("type"), QStringLiteral("plaintext")});
    lookup.waitForFinished(10000);
    return QString::fromUtf8(lookup.readAllStandardOutput());
}
} // namespace

class KeychainTest : public QObject
{
    Q_OBJECT
private slots:
    void signInStoresTheValuesAndSignOutRemovesThem()
    {
        const bool service = qgetenv("ZELK_EXPECT_KEYCHAIN") == "secret-service";
        AppHarness app(true);
        const QString file = app.dir.filePath(QStringLiteral("keychain.json"));
        auto stored = [&](const QString &key) {
            if (service)
                return secretService(key);
            QFile fallback(file);
            return fallback.open(QIODevice::ReadOnly)
                       ? QJsonDocument::fromJson(fallback.readAll()).object().value(key).toString()
                       : QString();
        };
        QVERIFY(app.launch());
        QCOMPARE(app.context->secureStore().backend(),
                 service ? SecureStore::Backend::Keychain : SecureStore::Backend::File);

        QVERIFY(app.signIn());
        QTRY_VERIFY(app.context->pushToken().has_value());
        const QList<std::pair<QString, QString>> values{
            {QStringLiteral("userId"), QStringLiteral("U10023")},
            {QStringLiteral("userName"), QStringLiteral("陳志明")},
            {QStringLiteral("userAccount"), QStringLiteral("demo")},
            {QStringLiteral("pushToken"), *app.context->pushToken()}};
        for (const auto &[key, value] : values)
            QTRY_COMPARE(stored(key), value);
        QCOMPARE(stored(QStringLiteral("zelk.probe")), QString()); // the start-up probe left nothing behind
        if (service)
            QVERIFY(!QFile::exists(file));
        else
            QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser),
                     QFile::ReadOwner | QFile::WriteOwner);

        // Signing out removes the user's values; the push token belongs to the device and stays.
        QVERIFY(app.signOut());
        for (const auto &[key, value] : values)
            QTRY_COMPARE(stored(key), key == QLatin1String("pushToken") ? value : QString());
    }
};

ZELK_TEST(KeychainTest)
#include "KeychainTest.moc"
