// The floor of the start-up figures: a bare Qt Quick window ("quick") or a bare Qt Quick Controls window
// ("controls", the default), showing one line of text, started as the app is.
#include <QGuiApplication>
#include <QQmlApplicationEngine>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const bool controls = !app.arguments().contains(QStringLiteral("quick"));
    QQmlApplicationEngine engine;
    engine.loadData(controls ? QByteArray("import QtQuick\nimport QtQuick.Controls\n"
                                          "ApplicationWindow { visible: true; width: 360; height: 640; Label { text: \"Zelk\" } }")
                             : QByteArray("import QtQuick\nimport QtQuick.Window\n"
                                          "Window { visible: true; width: 360; height: 640; Text { text: \"Zelk\" } }"));
    return engine.rootObjects().isEmpty() ? 1 : app.exec();
}
