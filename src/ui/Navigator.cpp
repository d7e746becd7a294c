#include "ui/Navigator.h"

#include "ui/Transitions.h"

Navigator::Navigator(QObject *parent) : QObject(parent), m_presentedModel(new ScreenListModel(this)) {}

Navigator::~Navigator()
{
    delete m_root.data();
}

void Navigator::setRootScreen(Screen *root)
{
    if (root == m_root)
        return;
    Screen *old = m_root;
    if (old) {
        old->beginAppearance(false, false);
        old->endAppearance(false);
        old->m_navigator = nullptr;
    }
    m_root = root;
    // bench/startup.sh times the frame that first draws the root screen from this line.
    if (root)
        qCDebug(lcUi) << "root screen" << root->className();
    m_drawn.clear();
    updatePresented();
    if (root) {
        root->setParent(this);
        root->m_navigator = this;
        root->beginAppearance(true, false);
        QPointer<Screen> guard(root);
        Transitions::run(false, root, [guard] {
            if (guard)
                guard->endAppearance(true);
        });
    }
    emit rootScreenChanged();
    // Only now, once the window has taken its view of the old root down (a view's own deletion is queued
    // as it is replaced): deleted first, the old screen would leave that view's bindings reading null.
    if (old)
        old->deleteLater();
}

QList<Screen *> Navigator::presentationChain() const
{
    QList<Screen *> chain;
    for (Screen *s = m_root; s; s = s->presentedScreen())
        chain.append(s);
    return chain;
}

Screen *Navigator::topScreen() const
{
    const auto chain = presentationChain();
    return chain.isEmpty() ? nullptr : chain.last();
}

Screen *Navigator::visibleScreen() const
{
    Screen *s = topScreen();
    while (s) {
        const auto children = s->visibleChildScreens();
        if (children.isEmpty())
            break;
        s = children.last();
    }
    return s;
}

static QString describeScreen(const Screen *s)
{
    QString text = s->className();
    const auto children = s->visibleChildScreens();
    if (!children.isEmpty()) {
        QStringList parts;
        for (const Screen *c : children)
            parts << describeScreen(c);
        text += QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    return text;
}

QString Navigator::describe() const
{
    QStringList parts;
    for (const Screen *s : presentationChain())
        parts << describeScreen(s);
    return parts.join(QStringLiteral(" => "));
}

int Navigator::animationDuration() const { return Transitions::animationDuration(); }

void Navigator::setAnimationDuration(int ms)
{
    Transitions::setAnimationDuration(ms);
    emit animationDurationChanged();
}

void Navigator::screenPresented(Screen *screen, bool animated)
{
    Q_UNUSED(animated)
    m_drawn.append(screen);
    connect(screen, &QObject::destroyed, this, [this] {
        m_drawn.removeAll(nullptr);
        updatePresented();
    });
    updatePresented();
}

void Navigator::presentationEnded(Screen *dismissed)
{
    // The dismissed screen and everything drawn above it leave together.
    const qsizetype index = m_drawn.indexOf(dismissed);
    if (index < 0)
        return;
    m_drawn.resize(index);
    updatePresented();
}

QList<Screen *> Navigator::presentedScreens() const
{
    QList<Screen *> list;
    for (const auto &s : m_drawn) {
        if (s)
            list.append(s);
    }
    return list;
}

void Navigator::updatePresented()
{
    m_presentedModel->setScreens(presentedScreens());
    emit presentedScreensChanged();
}
