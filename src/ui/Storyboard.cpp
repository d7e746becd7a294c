#include "ui/Storyboard.h"

#include "ui/ViewLocator.h"

Storyboard::Storyboard(Ui *ui, AppContext *context) : m_ui(ui), m_context(context) {}

void Storyboard::add(const QString &storyboard, const QString &identifier, Factory factory)
{
    add(storyboard, identifier, QString(), std::move(factory));
}

void Storyboard::add(const QString &storyboard, const QString &identifier, const QString &view, Factory factory)
{
    if (!m_boards.contains(storyboard))
        m_order.append(storyboard);
    Board &board = m_boards[storyboard];
    for (Scene &scene : board.scenes) {
        if (scene.identifier == identifier) {
            qCWarning(lcUi) << "storyboard" << storyboard << "registers" << identifier << "twice; the later wins";
            scene = Scene{identifier, view, std::move(factory)};
            return;
        }
    }
    board.scenes.append(Scene{identifier, view, std::move(factory)});
}

void Storyboard::setInitial(const QString &storyboard, const QString &identifier)
{
    if (!m_boards.contains(storyboard))
        m_order.append(storyboard);
    m_boards[storyboard].initial = identifier;
}

bool Storyboard::contains(const QString &storyboard) const
{
    const auto it = m_boards.constFind(storyboard);
    return it != m_boards.constEnd() && !it->scenes.isEmpty();
}

bool Storyboard::contains(const QString &storyboard, const QString &identifier) const
{
    return identifiers(storyboard).contains(identifier);
}

QStringList Storyboard::identifiers(const QString &storyboard) const
{
    QStringList list;
    const auto it = m_boards.constFind(storyboard);
    if (it != m_boards.constEnd()) {
        for (const Scene &scene : it->scenes)
            list << scene.identifier;
    }
    return list;
}

QStringList Storyboard::storyboards() const { return m_order; }

Screen *Storyboard::instantiate(const QString &storyboard, const QString &identifier)
{
    const auto it = m_boards.constFind(storyboard);
    if (it == m_boards.constEnd()) {
        qCDebug(lcUi) << "no storyboard" << storyboard;
        return nullptr;
    }
    for (const Scene &scene : it->scenes) {
        if (scene.identifier != identifier)
            continue;
        Screen *screen = scene.factory ? scene.factory() : nullptr;
        if (!screen)
            return nullptr;
        screen->setEnvironment(ScreenEnvironment{m_ui, this, m_context});
        screen->setStoryboardOrigin(storyboard, identifier);
        if (!scene.view.isEmpty()) {
            const QUrl url = scene.view.contains(QLatin1Char(':'))
                                 ? QUrl(scene.view)
                                 : QUrl(QStringLiteral("qrc") + ViewLocator::qmlRoot() + QLatin1Char('/') + scene.view);
            screen->setViewUrl(url);
        }
        return screen;
    }
    qCDebug(lcUi) << "storyboard" << storyboard << "has no scene" << identifier;
    return nullptr;
}

Screen *Storyboard::instantiateInitial(const QString &storyboard)
{
    const auto it = m_boards.constFind(storyboard);
    if (it == m_boards.constEnd())
        return nullptr;
    QString identifier = it->initial;
    if (identifier.isEmpty() && !it->scenes.isEmpty())
        identifier = it->scenes.first().identifier;
    return instantiate(storyboard, identifier);
}
