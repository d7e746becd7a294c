#include "ui/UiInstall.h"

#include "ui/Navigator.h"
#include "ui/NetworkCache.h"
#include "ui/BackKey.h"
#include "ui/QmlUi.h"
#include "ui/Screen.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtQml/qqml.h>

namespace {
constexpr int kAnimationDurationMs = 250;
}

void prepareUiStyle()
{
    // The style is fixed for the process once QML has loaded controls; set it only the first time.
    static bool styled = false;
    if (!styled) {
        styled = true;
        QQuickStyle::setStyle(QStringLiteral("Material"));
    }
    // Chinese texts need a CJK face; Noto Sans CJK TC comes with fonts-noto-cjk.
    const QStringList families = QFontDatabase::families();
    for (const char *wanted : {"Noto Sans CJK TC", "Noto Sans CJK SC", "Noto Sans CJK JP"}) {
        const QString family = QString::fromLatin1(wanted);
        if (families.contains(family)) {
            QFont font(family);
            font.setPixelSize(15);
            QGuiApplication::setFont(font);
            return;
        }
    }
    qCWarning(lcUi) << "no Noto Sans CJK font installed; Chinese texts may not render";
}

bool installUi(QQmlApplicationEngine &engine, Navigator &navigator, QmlUi &ui)
{
    prepareUiStyle();
    navigator.setAnimationDuration(kAnimationDurationMs);
    // The module's qmldir (and with it the QML components) lives at qrc:/Zelk/qmldir.
    engine.addImportPath(QStringLiteral("qrc:/"));
    // One cache for the process; the engine does not own its factory.
    static NetworkCache cache;
    engine.setNetworkAccessManagerFactory(&cache);
    engine.setInitialProperties({{QStringLiteral("navigator"), QVariant::fromValue<QObject *>(&navigator)},
                                 {QStringLiteral("ui"), QVariant::fromValue<QObject *>(&ui)},
                                 {QStringLiteral("embeddedKeyboard"), qgetenv("QT_IM_MODULE") == "qtvirtualkeyboard"}});
    engine.load(QUrl(QStringLiteral("qrc:/Zelk/qml/Main.qml")));
    // What the first screen does not need is made once the first frame is drawn (Main.qml's
    // firstFrameDrawn). The frame is swapped on the render thread; the flag is set on this one.
    if (auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0))) {
        // The phone's back action and Escape go one step back.
        window->installEventFilter(new BackKey(ui, navigator, window));
        QObject::connect(
            window, &QQuickWindow::frameSwapped, window,
            [window] { window->setProperty("firstFrameDrawn", true); },
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    }
    return !engine.rootObjects().isEmpty();
}
