#pragma once
// The registry of scenes: a Scene gives a new screen, or nothing when it is not registered (callers
// treat that as "do nothing"). Registration is explicit — one line per screen in the app's registry —
// because self-registration from a static library is dropped by the linker:
//
//     storyboard.add(Scene::Login, [] { return new LoginViewController; });
//     storyboard.add(Scene::ContractNavigation, [] { return new ZelkNavigationController(new ContractViewController); });
//
// The view of a screen is found from its class name (ViewLocator); the overload with `view` names it
// ("app/LoginView.qml", relative to the module's qml/ folder, or a full URL).
// Every new screen gets this storyboard's environment (Ui, Storyboard, AppContext).
#include "ui/NavigationController.h"
#include "ui/Scene.h"

#include <QHash>

class Storyboard
{
public:
    using Factory = std::function<Screen *()>;

    explicit Storyboard(Ui *ui = nullptr, AppContext *context = nullptr);

    void setUi(Ui *ui) { m_ui = ui; }
    void setContext(AppContext *context) { m_context = context; }
    Ui *ui() const { return m_ui; }
    AppContext *context() const { return m_context; }

    void add(Scene scene, Factory factory);
    void add(Scene scene, const QString &view, Factory factory);
    bool contains(Scene scene) const { return m_scenes.contains(scene); }
    // The scene's name, for logs and test messages.
    static QByteArray name(Scene scene);

    // A new screen, owned by the caller, or nullptr.
    Screen *instantiate(Scene scene);

    // Typed: nullptr also when the scene is of another class.
    template <typename T> T *instantiate(Scene scene)
    {
        Screen *screen = instantiate(scene);
        T *typed = qobject_cast<T *>(screen);
        if (screen && !typed)
            delete screen;
        return typed;
    }

    // A scene that is a navigation stack, and its root screen of class T; both null otherwise.
    template <typename T> std::pair<NavigationController *, T *> instantiateStack(Scene scene)
    {
        Screen *screen = instantiate(scene);
        auto *stack = qobject_cast<NavigationController *>(screen);
        T *root = stack ? qobject_cast<T *>(stack->rootViewController()) : nullptr;
        if (!root) {
            delete screen;
            return {nullptr, nullptr};
        }
        return {stack, root};
    }

private:
    struct Entry {
        QString view;
        Factory factory;
    };

    Ui *m_ui;
    AppContext *m_context;
    QHash<Scene, Entry> m_scenes;
};
