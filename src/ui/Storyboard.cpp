#include "ui/Storyboard.h"

#include "ui/ViewLocator.h"

#include <QMetaEnum>

Storyboard::Storyboard(Ui *ui, AppContext *context) : m_ui(ui), m_context(context) {}

void Storyboard::add(Scene scene, Factory factory) { add(scene, QString(), std::move(factory)); }

void Storyboard::add(Scene scene, const QString &view, Factory factory)
{
    if (m_scenes.contains(scene))
        qCWarning(lcUi) << "scene" << name(scene) << "registered twice; the later wins";
    m_scenes.insert(scene, Entry{view, std::move(factory)});
}

QByteArray Storyboard::name(Scene scene)
{
    const char *key = QMetaEnum::fromType<Scene>().valueToKey(int(scene));
    return key ? QByteArray(key) : QByteArray::number(int(scene));
}

Screen *Storyboard::instantiate(Scene scene)
{
    const auto it = m_scenes.constFind(scene);
    if (it == m_scenes.constEnd() || !it->factory) {
        qCDebug(lcUi) << "no scene" << name(scene);
        return nullptr;
    }
    Screen *screen = it->factory();
    if (!screen)
        return nullptr;
    screen->setEnvironment(ScreenEnvironment{m_ui, this, m_context});
    if (!it->view.isEmpty()) {
        const QUrl url = it->view.contains(QLatin1Char(':'))
                             ? QUrl(it->view)
                             : QUrl(QStringLiteral("qrc") + ViewLocator::qmlRoot() + QLatin1Char('/') + it->view);
        screen->setViewUrl(url);
    }
    return screen;
}
