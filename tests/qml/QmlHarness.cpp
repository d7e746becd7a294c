#include "QmlHarness.h"
#include "text/Localizer.h"

#include "ui/NavigationController.h"
#include "ui/TabBarController.h"
#include "ui/UiInstall.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(ZelkPlugin)

QmlHarness::~QmlHarness()
{
    // Screens go before the window that draws them.
    m_navigator.setRootScreen(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool QmlHarness::load()
{
    QObject::connect(&m_engine, &QQmlApplicationEngine::warnings, [](const QList<QQmlError> &warnings) {
        for (const QQmlError &w : warnings)
            qWarning().noquote() << w.toString();
    });
    if (!installUi(m_engine, m_navigator, m_ui))
        return false;
    m_window = qobject_cast<QQuickWindow *>(m_engine.rootObjects().value(0));
    if (!m_window)
        return false;
    return QTest::qWaitForWindowExposed(m_window);
}

static void collect(QQuickItem *item, const QString &name, QList<QQuickItem *> &found)
{
    if (!item)
        return;
    if (item->objectName() == name)
        found.append(item);
    for (QQuickItem *child : item->childItems())
        collect(child, name, found);
}

QList<QQuickItem *> QmlHarness::findAll(const QString &objectName) const
{
    QList<QQuickItem *> found;
    if (m_window)
        collect(root(), objectName, found);
    return found;
}

static bool reallyVisible(QQuickItem *item)
{
    for (QQuickItem *i = item; i; i = i->parentItem()) {
        if (!i->isVisible() || i->opacity() <= 0.0)
            return false;
    }
    return true;
}

QList<Screen *> QmlHarness::drawnPages() const
{
    QList<Screen *> pages;
    for (QQuickItem *item : findAll(QStringLiteral("navigationPage"))) {
        if (reallyVisible(item))
            pages.append(qobject_cast<Screen *>(item->property("screen").value<QObject *>()));
    }
    return pages;
}

QQuickItem *QmlHarness::find(const QString &objectName) const
{
    for (QQuickItem *item : findAll(objectName)) {
        if (reallyVisible(item))
            return item;
    }
    return nullptr;
}

// What a tap at a scene point lands on, searching from the top as touch delivery does: the first item
// that takes a press (or `target` itself, which may take it through a handler), or whatever the popup
// overlay holds there (an open or closing sheet, its dimming). Items that only draw let a tap through.
static QQuickItem *tappedAt(QQuickItem *item, QPointF point, QQuickItem *target)
{
    // A disabled item (and all under it) takes no press.
    if (!item->isVisible() || !item->isEnabled())
        return nullptr;
    const bool inside = item->contains(item->mapFromScene(point));
    if (item->clip() && !inside)
        return nullptr;
    QList<QQuickItem *> children = item->childItems();
    std::stable_sort(children.begin(), children.end(), [](QQuickItem *a, QQuickItem *b) { return a->z() < b->z(); });
    const bool overlay = qstrcmp(item->metaObject()->className(), "QQuickOverlay") == 0;
    for (auto child = children.crbegin(); child != children.crend(); ++child) {
        if (QQuickItem *hit = tappedAt(*child, point, target))
            return hit;
        if (overlay && (*child)->isVisible() && (*child)->contains((*child)->mapFromScene(point)))
            return *child; // a sheet or its dimming takes the tap, whatever it draws there
    }
    const bool takesPress = (item->acceptedMouseButtons() & Qt::LeftButton) || item->acceptTouchEvents();
    return inside && !overlay && (item == target || takesPress) ? item : nullptr;
}

bool QmlHarness::click(const QString &objectName)
{
    QPointer<QQuickItem> item = find(objectName);
    const auto centre = [&] { return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)); };
    // A finger lands on what is drawn on top: an item on a page still sliding in may lie outside the window
    // yet, and one under a closing sheet, a fading cover or a spinner's mask is not reached. Wait until
    // the item has arrived and nothing lies over its centre (on a busy machine exits last longer).
    const auto hit = [&] { return tappedAt(root(), centre(), item); };
    const auto reachable = [&] {
        if (!item)
            return true;
        if (!QRectF(QPointF(), m_window->size()).contains(centre()))
            return false;
        QQuickItem *at = hit();
        while (at && at != item)
            at = at->parentItem();
        return at == item;
    };
    if (!QTest::qWaitFor(reachable, 5000) && item) {
        QQuickItem *at = hit();
        qWarning().noquote() << objectName << "is covered by"
                             << (at ? QString::fromLatin1(at->metaObject()->className()) + QLatin1Char(':') + at->objectName()
                                    : QStringLiteral("nothing"));
    }
    if (!item)
        return false;
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre().toPoint());
    return true;
}

void QmlHarness::settle(int ms)
{
    QTest::qWait(ms);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString QmlHarness::screenshot(const QString &name)
{
    // A run on another platform (the Wayland run) keeps its pictures apart: ZELK_SCREENSHOT_DIR names the folder.
    const QString folder = qEnvironmentVariable("ZELK_SCREENSHOT_DIR", QStringLiteral(ZELK_SCREENSHOT_DIR));
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    const bool saved = m_window && QDir().mkpath(folder) && m_window->grabWindow().save(path);
    return saved ? path : QString();
}

bool QmlApp::load()
{
    if (!m_app.gateway.isRunning()) {
        qWarning().noquote() << "the development gateway does not run:" << m_app.gateway.errorString();
        return false;
    }
    return m_harness.window() || m_harness.load();
}

bool QmlApp::startSignedIn()
{
    if (!load())
        return false;
    m_app.startSignedIn();
    return true;
}

bool QmlApp::launch()
{
    if (!load() || !m_app.launch())
        return false;
    m_harness.settle();
    return true;
}

TabBarController *QmlApp::launchAndSignIn()
{
    if (!launch() || !play(m_harness, QStringLiteral("signIn/demo"))
        || !QTest::qWaitFor([&] { return tabs() != nullptr; }, 10000))
        return nullptr;
    m_harness.settle();
    return tabs();
}

int QmlApp::probeFetches() const
{
    const QJsonArray log = m_app.gateway.requests();
    return int(std::count_if(log.begin(), log.end(), [](const QJsonValue &r) {
        return r[QLatin1String("path")].toString() == QLatin1String("/probe.png");
    }));
}

NavigationController *QmlApp::homeStack() const
{
    TabBarController *t = tabs();
    return t ? qobject_cast<NavigationController *>(t->viewControllers().value(0)) : nullptr;
}

void typeText(QWindow *window, const char *text)
{
    for (const char *c = text; *c; ++c)
        QTest::keyClick(window, *c);
}

bool tap(QmlHarness &h, const QString &objectName)
{
    if (!shown(h, objectName))
        return false;
    const bool clicked = h.click(objectName);
    h.settle();
    return clicked;
}

bool shown(QmlHarness &h, const QString &objectName, int timeoutMs)
{
    return QTest::qWaitFor([&] { return h.find(objectName) && !h.ui().isSpinnerVisible(); }, timeoutMs);
}

bool alertDrawn(QmlHarness &h, const QString &title, const QString &button)
{
    if (!QTest::qWaitFor([&] { return textOf(h, QStringLiteral("alertTitle")) == title; }, 10000)) {
        qWarning().noquote() << "awaited the alert" << title << "but the window draws" << textOf(h, QStringLiteral("alertTitle"));
        return false;
    }
    // Answered: the alert has gone (and given the keyboard focus back) before the next step.
    return button.isEmpty() || (tap(h, QStringLiteral("alertButton_") + button)
                                && QTest::qWaitFor([&] { return !h.find(QStringLiteral("alertTitle")); }, 5000));
}

bool typeInto(QmlHarness &h, const QString &objectName, const char *text)
{
    // Keys go to the focused item only. A tap can miss the field while a closing popup's overlay still
    // takes touches (its exit lasts longer on a busy machine): then the field is tapped again.
    QPointer<QQuickItem> field;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!tap(h, objectName))
            return false;
        field = h.find(objectName);
        if (QTest::qWaitFor([&] { return field && field->hasActiveFocus(); }, 1000)) {
            typeText(h.window(), text);
            return true;
        }
    }
    qWarning().noquote() << objectName << "takes no keyboard focus";
    return false;
}

QString textOf(QmlHarness &h, const QString &objectName, const char *property)
{
    QQuickItem *item = h.find(objectName);
    return item ? item->property(property).toString() : QStringLiteral("<%1 not drawn>").arg(objectName);
}

QJsonValue windowData(const QString &name)
{
    const qsizetype slash = name.indexOf(u'/');
    QFile file(qEnvironmentVariable("ZELK_TEST_SOURCE_DIR") + QStringLiteral("/tests/data/window/") + name.left(slash)
               + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly))
        qWarning().noquote() << "cannot read" << file.fileName();
    return QJsonDocument::fromJson(file.readAll()).object().value(name.mid(slash + 1));
}

// What went wrong in one step of play(), or nothing.
static QString stepFault(QmlHarness &h, const QJsonObject &step)
{
    const auto names = [&](const char *key) {
        const QJsonValue v = step.value(QLatin1String(key));
        return v.isArray() ? v.toVariant().toStringList() : v.isString() ? QStringList{v.toString()} : QStringList{};
    };
    // Alert and sheet buttons are named by their titles, as shown in the language of the run.
    const auto shownName = [](const QString &name) {
        for (const QString prefix : {QStringLiteral("alertButton_"), QStringLiteral("sheetButton_")})
            if (name.startsWith(prefix))
                return prefix + localized(name.mid(prefix.size()));
        return name;
    };
    for (const QString &name : names("tap")) {
        if (!tap(h, shownName(name)))
            return name + QStringLiteral(" cannot be tapped");
    }
    if (const QStringList typed = names("type"); typed.size() == 2 && !typeInto(h, typed[0], typed[1].toUtf8()))
        return typed[0] + QStringLiteral(" cannot be typed into");
    if (const QString title = localized(step.value(QLatin1String("alert")).toString()); !title.isEmpty()) {
        if (!alertDrawn(h, title))
            return QStringLiteral("no alert ") + title;
        const QString message = textOf(h, QStringLiteral("alertMessage"));
        if (step.contains(QLatin1String("message")) && message != step.value(QLatin1String("message")).toString())
            return QStringLiteral("the alert says ") + message;
        if (!alertDrawn(h, title, localized(step.value(QLatin1String("button")).toString())))
            return QStringLiteral("the alert cannot be answered");
    }
    for (const QString &name : names("drawn")) {
        if (!shown(h, name))
            return name + QStringLiteral(" not drawn");
    }
    for (const QString &name : names("gone")) {
        if (!QTest::qWaitFor([&] { return !h.find(name); }, 5000))
            return name + QStringLiteral(" still drawn");
    }
    if (const QString page = step.value(QLatin1String("page")).toString(); !page.isEmpty()) {
        // ... and its stack, when in the tabs, the selected tab's
        const auto isTop = [&] {
            const QList<Screen *> pages = h.drawnPages();
            Screen *s = pages.size() == 1 ? pages.first() : nullptr;
            NavigationController *stack = s ? s->navigationController() : nullptr;
            return s && s->className() == page && (!stack || stack->topViewController() == s)
                   && (!s->tabBarController() || s->tabBarController()->selectedViewController() == stack);
        };
        if (!QTest::qWaitFor(isTop, 5000))
            return page + QStringLiteral(" is not the one page drawn: ") + h.navigator().describe();
    }
    for (const char *key : {"texts", "contains"}) {
        const QJsonObject texts = step.value(QLatin1String(key)).toObject();
        for (auto it = texts.begin(); it != texts.end(); ++it) {
            // "item/part.property": a property of a part of the item (its text by default)
            const QStringList at = it.key().split(u'.'), path = at[0].split(u'/');
            const QString expected = it.value().toString();
            const auto read = [&] {
                QQuickItem *item = h.find(path[0]);
                item = item && path.size() > 1 ? item->findChild<QQuickItem *>(path[1]) : item;
                const QVariant value = item ? item->property(at.size() > 1 ? qPrintable(at[1]) : "text") : QVariant();
                return item ? value.toString() : QStringLiteral("<not drawn>");
            };
            const auto holds = [&] { return key[0] == 't' ? read() == expected : read().contains(expected); };
            if (!QTest::qWaitFor(holds, 10000))
                return it.key() + QStringLiteral(" shows \"%1\", not \"%2\"").arg(read(), expected);
        }
    }
    const QString shot = step.value(QLatin1String("shot")).toString();
    if (!shot.isEmpty() && h.screenshot(shot).isEmpty())
        return QStringLiteral("no screenshot ") + shot;
    return {};
}

bool play(QmlHarness &h, const QString &steps)
{
    const QJsonArray list = windowData(steps).toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString fault = stepFault(h, list.at(i).toObject());
        if (!fault.isEmpty()) {
            qWarning().noquote() << steps << "step" << i << fault;
            return false;
        }
    }
    return !list.isEmpty();
}

QString writtenTextOf(QmlHarness &h, const QString &objectName, const char *part)
{
    QQuickItem *item = h.find(objectName);
    item = item && part ? item->findChild<QQuickItem *>(QLatin1String(part)) : item;
    if (!item)
        return QStringLiteral("<not drawn>");
    // 0 is PlainText in the enums of Text and TextEdit alike.
    return item->property("textFormat").toInt() == 0 ? item->property("text").toString()
                                                     : QStringLiteral("<drawn as markup>");
}
