// The app: the holders, the screens and the window, then the start-up sequence.
#include "app/AppDelegate.h"
#include "app/ScreenRegistry.h"
#include "model/AppContext.h"
#include "platform/SingleInstance.h"
#include "services/LogRedaction.h"
#include "ui/Navigator.h"
#include "ui/QmlUi.h"
#include "ui/Storyboard.h"
#include "ui/UiInstall.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QWindow>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(ZelkPlugin)

namespace {
// Brings the window to the front for a later start. Qt's Wayland platform activates the window with the
// token it finds in XDG_ACTIVATION_TOKEN.
void showWindow(const QQmlApplicationEngine &engine, const QString &token)
{
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    for (QObject *root : engine.rootObjects()) {
        if (auto *window = qobject_cast<QWindow *>(root)) {
            window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
            window->show();
            window->raise();
            window->requestActivate();
        }
    }
}

// The app's holders, screens and window, run as the first copy.
int runFirstCopy(QGuiApplication &app, SingleInstance &instance)
{
    QmlUi ui;
    AppContext context(AppContext::Options{});
    Storyboard storyboard(&ui, &context);
    registerScreens(storyboard);
    Navigator navigator;
    navigator.setEnvironment({&ui, &storyboard, &context});
    QQmlApplicationEngine engine;
    if (!installUi(engine, navigator, ui))
        return 1;
    QObject::connect(&instance, &SingleInstance::activationRequested, &engine,
                     [&engine](const QString &token) { showWindow(engine, token); });
    AppDelegate delegate(context, ui, storyboard, navigator);
    delegate.didFinishLaunching();
    return app.exec();
}
} // namespace

int main(int argc, char *argv[])
{
    // Before anything logs: no line of the process carries a password digest or a keychain value.
    LogRedaction::installMessageFilter();
    // Qt Quick packs small images into one texture sized from the window (512 × 1024 here, 2 MB drawn with
    // the first image). The app's small images are a few icons: 256 × 256 holds them, and a
    // larger image gets a texture of its own as it would anyway.
    for (const char *name : {"QSG_ATLAS_WIDTH", "QSG_ATLAS_HEIGHT"}) {
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, "256");
    }
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zelk"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zelk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZELK_APP_VERSION));
    // The desktop entry, the window's application id on Wayland and the keychain share this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZELK_BUNDLE_ID));

    // One copy per user works on the stored documents and the keychain: a later start shows the first
    // copy's window and ends, unless the first copy ended meanwhile (killed), when it goes on as the first.
    SingleInstance instance(QStringLiteral(ZELK_BUNDLE_ID));
    if (!instance.claim()) {
        SingleInstance::Answer answer = SingleInstance::Answer::noAnswer;
        instance.activateFirst([&answer](SingleInstance::Answer a) {
            answer = a;
            QCoreApplication::exit(0);
        });
        app.exec(); // only the exchange with the first copy; the window is not made yet
        if (answer == SingleInstance::Answer::shown)
            return 0;
        if (answer == SingleInstance::Answer::noAnswer) {
            qWarning("Zelk is already running but did not answer");
            return 1;
        }
    }
    return runFirstCopy(app, instance);
}
