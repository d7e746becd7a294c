#pragma once
// Named scenes: a storyboard name and an identifier give a new screen, or nothing when either is
// unknown (callers treat that as "do nothing"). Registration is explicit — one line per screen in the
// app's registry — because self-registration from a static library is dropped by the linker:
//
//     storyboard.add("Main", "LoginViewController", [] { return new LoginViewController; });
//     storyboard.add("OrderContract", "Nav", [] { return new ZelkNavigationController(new ContractViewController); });
//     storyboard.setInitial("OrderContract", "Nav");
//
// The view of a screen is found from its class name (ViewLocator); the overload with `view` names it
// ("app/LoginView.qml", relative to the module's qml/ folder, or a full URL).
// Every new screen gets this storyboard's environment (Ui, Storyboard, AppContext).
#include "ui/Screen.h"

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

    void add(const QString &storyboard, const QString &identifier, Factory factory);
    void add(const QString &storyboard, const QString &identifier, const QString &view, Factory factory);
    // The scene instantiateInitial() gives for `storyboard` (the first one added when not set).
    void setInitial(const QString &storyboard, const QString &identifier);

    bool contains(const QString &storyboard) const;
    bool contains(const QString &storyboard, const QString &identifier) const;
    QStringList identifiers(const QString &storyboard) const;
    QStringList storyboards() const;

    // A new screen, owned by the caller, or nullptr.
    Screen *instantiate(const QString &storyboard, const QString &identifier);
    Screen *instantiateInitial(const QString &storyboard);

    // Typed convenience: nullptr also when the scene is of another class.
    template <typename T> T *instantiate(const QString &storyboard, const QString &identifier)
    {
        Screen *screen = instantiate(storyboard, identifier);
        T *typed = qobject_cast<T *>(screen);
        if (screen && !typed)
            delete screen;
        return typed;
    }

private:
    struct Scene {
        QString identifier;
        QString view;
        Factory factory;
    };
    struct Board {
        QList<Scene> scenes;
        QString initial;
    };

    Ui *m_ui;
    AppContext *m_context;
    QHash<QString, Board> m_boards;
    QStringList m_order;
};
