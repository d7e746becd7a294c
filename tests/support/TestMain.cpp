#include "TestRegistry.h"

#include <QGuiApplication>
#include <QTest>

#include <cstring>

namespace zelktest {
std::vector<Registration> &registry()
{
    static std::vector<Registration> all;
    return all;
}
} // namespace zelktest

// Runs every registered test class; "-class Name" runs just one. Other arguments go to QtTest.
int zelkTestMain(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QStringList args;
    QString only;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "-class") == 0 && i + 1 < argc) {
            only = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        args << QString::fromLocal8Bit(argv[i]);
    }
    int failures = 0;
    int ran = 0;
    for (const auto &reg : zelktest::registry()) {
        if (!only.isEmpty() && only != QLatin1String(reg.name))
            continue;
        auto object = reg.make();
        failures += QTest::qExec(object.get(), args);
        ++ran;
    }
    if (ran == 0) {
        qWarning("no test class named %s", qPrintable(only));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
