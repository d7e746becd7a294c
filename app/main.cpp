#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(ZelkPlugin)

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zelk"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zelk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELK_APP_VERSION));
    QQmlApplicationEngine engine;
    engine.load(QUrl(QStringLiteral("qrc:/Zelk/qml/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
