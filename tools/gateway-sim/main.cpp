// zelk-gateway-sim: runs the development gateway on 127.0.0.1 until stopped.
#include "GatewaySimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelk-gateway-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Development gateway for the Zelk ordering client."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port on 127.0.0.1 (0: a free one)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Seed data file (default: the shipped seed)."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption versionOption(QStringLiteral("version-state"),
                                           QStringLiteral("Version-check answer: none, optional or forced."),
                                           QStringLiteral("STATE"));
    const QCommandLineOption customersOption(QStringLiteral("customers"),
                                             QStringLiteral("Replace the customers with N generated ones."),
                                             QStringLiteral("N"));
    const QCommandLineOption materialsOption(QStringLiteral("materials"),
                                             QStringLiteral("Replace the materials with M generated ones."),
                                             QStringLiteral("M"));
    parser.addOptions({portOption, dataOption, versionOption, customersOption, materialsOption});
    parser.process(app);

    QTextStream err(stderr);
    auto count = [&](const QCommandLineOption &option, int *out) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        *out = parser.value(option).toInt(&ok);
        if (!ok || *out < 0) {
            err << "invalid --" << option.names().constFirst() << ": " << parser.value(option) << Qt::endl;
            return false;
        }
        return true;
    };
    GatewaySimulator::Options options;
    options.dataFile = parser.value(dataOption);
    options.versionState = parser.value(versionOption);
    if (!count(customersOption, &options.customers) || !count(materialsOption, &options.materials))
        return 2;
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        err << "invalid --port: " << parser.value(portOption) << Qt::endl;
        return 2;
    }

    GatewaySimulator simulator;
    QString error;
    if (!simulator.load(options, &error) || !simulator.start(quint16(port), &error)) {
        err << error << Qt::endl;
        return 1;
    }
    std::printf("listening on %s\n", simulator.baseUrl().toUtf8().constData());
    std::fflush(stdout);
    return app.exec();
}
