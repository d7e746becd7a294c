// No log line carries a password digest or a keychain value, with every logging category switched on:
// the log of a real sign-in and password change against the development gateway, the redaction of the
// texts the service layer writes, and the process-wide filter the app installs.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "services/LogRedaction.h"
#include "services/Operations.h"

#include <QLoggingCategory>
#include <QMutex>

namespace {
QMutex g_mutex;
QStringList g_lines;
QtMessageHandler g_previous = nullptr;

void capture(QtMsgType, const QMessageLogContext &, const QString &message)
{
    QMutexLocker lock(&g_mutex);
    g_lines.append(message);
}

// Captures every message while alive, with every zelk category on.
struct LogCapture {
    LogCapture()
    {
        g_lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("zelk.*=true"));
        g_previous = qInstallMessageHandler(capture);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(g_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    QStringList lines() const
    {
        QMutexLocker lock(&g_mutex);
        return g_lines;
    }
};
} // namespace

class SecretsInLogsTest : public QObject
{
    Q_OBJECT

private slots:
    void signInAndPasswordChangeLogNoSecrets()
    {
        AppHarness app;
        LogCapture log;
        auto *screen = app.openPasswordChange();
        QVERIFY(screen);
        screen->setOldPassword(QStringLiteral("demo123"));
        screen->setNewPassword(QStringLiteral("secret9"));
        screen->setConfirmNewPassword(QStringLiteral("secret9"));
        screen->changePasswordAction();
        QTRY_COMPARE(app.ui.currentAlertTitle(), QStringLiteral("修改成功"));

        const QStringList lines = log.lines();
        const QString all = lines.join(QLatin1Char('\n'));
        // The exchanges were logged (so the test looks at real lines) ...
        for (const char *logged : {"parameters:", "zelkGWService request: POST", "modAppPwd",
                                   "\"password\":\"***\"", "\\\"newPassword\\\": \\\"***\\\""})
            QVERIFY2(all.contains(QLatin1String(logged)), logged);
        // ... without the digests the server accepts as passwords, the passwords or the keychain's values.
        const QStringList secrets{Operations::md5Hex(QStringLiteral("demo123")), Operations::md5Hex(QStringLiteral("secret9")),
                                  QStringLiteral("demo123"), QStringLiteral("secret9"), *app.context->userId(),
                                  *app.context->userName(), *app.context->userAccount()};
        for (const QString &secret : secrets) {
            for (const QString &line : lines)
                QVERIFY2(!line.contains(secret), qPrintable(secret + QStringLiteral(" in: ") + line));
        }
    }

    // Lines as the service layer writes them and what is left of them (tests/data/logs/redaction.json).
    void redaction_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("logs/redaction"))); }
    void redaction()
    {
        QFETCH(QJsonObject, row);
        QCOMPARE(LogRedaction::redact(row["line"].toString()), row["expected"].toString());
    }

    void registeredValuesAndTheProcessFilter()
    {
        LogRedaction::addSecret(QStringLiteral("tok-4f1e"));
        QCOMPARE(LogRedaction::redact(QStringLiteral("push tok-4f1e sent")), QStringLiteral("push *** sent"));

        // Lines written anywhere pass the filter before any handler installed earlier sees them.
        LogCapture log;
        LogRedaction::installMessageFilter();
        qWarning("registration {\"password\":\"9a0b\"} with tok-4f1e");
        qInstallMessageHandler(capture); // the filter out again; LogCapture restores the original handler
        QCOMPARE(log.lines(), QStringList{QStringLiteral("registration {\"password\":\"***\"} with ***")});
    }
};

ZELK_TEST(SecretsInLogsTest)
#include "SecretsInLogsTest.moc"
