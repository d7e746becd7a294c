#include "TestRegistry.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

namespace zelktest {
std::vector<Registration> &registry()
{
    static std::vector<Registration> all;
    return all;
}
} // namespace zelktest

// Runs every registered test class; "-class Name" runs just one. Other arguments go to QtTest.
// Each run gets folders of its own for what the app keeps by the platform's standard paths (the image
// cache among them), so that test processes running side by side share nothing.
// The process keeps Taiwan's time, as the reps' phones and the gateway do: the gateway dates orders by
// Taipei's calendar, and a test that asks for "today" must not get yesterday in the hours when Taipei is
// already a day ahead of the machine running the tests.
int main(int argc, char **argv)
{
    qputenv("TZ", "Asia/Taipei");
    QTemporaryDir own;
    for (const char *folder : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        qputenv(folder, own.filePath(QString::fromLatin1(folder)).toLocal8Bit());
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    QString only;
    if (const qsizetype at = args.indexOf(QStringLiteral("-class")); at > 0 && at + 1 < args.size()) {
        only = args.takeAt(at + 1);
        args.removeAt(at);
    }
    int failures = 0;
    int ran = 0;
    for (const auto &reg : zelktest::registry()) {
        if (!only.isEmpty() && only != QLatin1String(reg.name))
            continue;
        failures += QTest::qExec(reg.make().get(), args);
        ++ran;
    }
    if (ran == 0) {
        qWarning("no test class named %s", qPrintable(only));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
