// The app: the holders, the screens and the window, then the start-up sequence.
#include "app/AppDelegate.h"
#include "app/ScreenRegistry.h"
#include "model/AppContext.h"
#include "services/LogRedaction.h"
#include "ui/Navigator.h"
#include "ui/QmlUi.h"
#include "ui/Storyboard.h"
#include "ui/UiInstall.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(ZelkPlugin)

int main(int argc, char *argv[])
{
    // Before anything logs: no line of the process carries a password digest or a keychain value.
    LogRedaction::installMessageFilter();
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zelk"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zelk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELK_APP_VERSION));

    QmlUi ui;
    AppContext context(AppContext::Options{});
    Storyboard storyboard(&ui, &context);
    registerScreens(storyboard);
    Navigator navigator;
    navigator.setEnvironment({&ui, &storyboard, &context});
    QQmlApplicationEngine engine;
    if (!installUi(engine, navigator, ui))
        return 1;
    AppDelegate delegate(context, ui, storyboard, navigator);
    delegate.didFinishLaunching();
    return app.exec();
}
