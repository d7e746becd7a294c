#include "QmlHarness.h"

#include "ui/TabBarController.h"
#include "ui/UiInstall.h"

#include <QDir>
#include <QPointer>
#include <QTcpSocket>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(ZelkPlugin)

QmlHarness::QmlHarness() = default;

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
        collect(m_window->contentItem()->parentItem() ? m_window->contentItem()->parentItem() : m_window->contentItem(),
                objectName, found);
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

QQuickItem *QmlHarness::find(const QString &objectName) const
{
    for (QQuickItem *item : findAll(objectName)) {
        if (reallyVisible(item))
            return item;
    }
    return nullptr;
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

bool QmlHarness::click(const QString &objectName)
{
    QPointer<QQuickItem> item = find(objectName);
    const auto centre = [&] { return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)); };
    // An item on a page still sliding in may lie outside the window yet: wait until it has arrived.
    (void)QTest::qWaitFor([&] { return !item || QRectF(QPointF(), m_window->size()).contains(centre()); }, 3000);
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
    if (!m_window)
        return {};
    const QString dir = QStringLiteral(ZELK_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    const QImage image = m_window->grabWindow();
    if (image.isNull() || !image.save(path))
        return {};
    return path;
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

TabBarController *QmlApp::launchAndSignIn(const char *account, const char *password)
{
    if (!launch() || !typeSignIn(account, password) || !QTest::qWaitFor([&] { return tabs() != nullptr; }, 10000))
        return nullptr;
    m_harness.settle();
    return tabs();
}

bool QmlApp::typeSignIn(const char *account, const char *password)
{
    if (!typeInto(m_harness, QStringLiteral("userNameTextField"), account)
        || !typeInto(m_harness, QStringLiteral("passwordTextField"), password))
        return false;
    m_harness.click(QStringLiteral("userNameTextField")); // the caret away from the password field
    m_harness.settle(100);
    return tap(m_harness, QStringLiteral("loginButton"));
}

NavigationController *QmlApp::homeStack() const
{
    TabBarController *t = tabs();
    return t ? qobject_cast<NavigationController *>(t->viewControllers().value(0)) : nullptr;
}

bool QmlApp::drawnIsTop()
{
    const bool top = QTest::qWaitFor([&] {
        NavigationController *stack = homeStack();
        return stack && m_harness.drawnPages() == QList<Screen *>{stack->topViewController()};
    }, 3000);
    if (!top)
        qWarning().noquote() << "not the top page drawn:" << m_harness.navigator().describe();
    return top;
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

bool taps(QmlHarness &h, std::initializer_list<const char *> objectNames)
{
    for (const char *name : objectNames) {
        if (!tap(h, QString::fromUtf8(name))) {
            qWarning() << "cannot tap" << name;
            return false;
        }
    }
    return true;
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

QString writtenTextOf(const QQuickItem *item)
{
    if (!item)
        return QStringLiteral("<not drawn>");
    // 0 is PlainText in the enums of Text and TextEdit alike.
    return item->property("textFormat").toInt() == 0 ? item->property("text").toString()
                                                     : QStringLiteral("<drawn as markup>");
}

ConnectionProbe::ConnectionProbe()
{
    m_server.listen(QHostAddress::LocalHost);
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++m_connections;
            socket->close();
            socket->deleteLater();
        }
    });
}

QString ConnectionProbe::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}
