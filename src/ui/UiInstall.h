#pragma once
// Entry point of the QML side. The app's main() does, in this order:
//
//     QGuiApplication app(argc, argv);
//     QmlUi ui;
//     AppContext context;                       // the app's holders
//     Storyboard storyboard(&ui, &context);
//     registerScreens(storyboard);              // one line per screen (src/app/ScreenRegistry.cpp)
//     Navigator navigator;
//     navigator.setEnvironment({&ui, &storyboard, &context});
//     QQmlApplicationEngine engine;
//     if (!installUi(engine, navigator, ui)) return 1;
//     navigator.setRootScreen(storyboard.instantiate(Scene::Login));
//     return app.exec();
//
// (with Q_IMPORT_QML_PLUGIN(ZelkPlugin) at file scope, as the static QML module requires).
#include <QQmlApplicationEngine>

class Navigator;
class QmlUi;

// Chooses the Material style and the CJK font, turns on animated transitions, and loads Main.qml
// bound to `navigator` and `ui`. False when the window could not be created.
bool installUi(QQmlApplicationEngine &engine, Navigator &navigator, QmlUi &ui);

// The same without a QQmlApplicationEngine's window checks, for tests: style and font only.
void prepareUiStyle();
