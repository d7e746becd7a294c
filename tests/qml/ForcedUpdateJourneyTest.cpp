// A forced update through the real window: the rep taps 立刻更新, comes back and tries to sign in; the
// alert is drawn again and no login reaches the gateway, and it returns whenever the app becomes active.
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "text/Localizer.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QTest>

namespace {
// Stands in for the system's browser: records the pages it is asked to open.
class PageOpener : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};
} // namespace

class ForcedUpdateJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    void forcedUpdateCannotBeSignedPast()
    {
        PageOpener browser;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
        QmlApp app;
        const QUrl page(QStringLiteral("https://apps.zelk-supply.com.tw/eip/download"));
        QVERIFY(app.gateway().setVersionState(QStringLiteral("forced"), QStringLiteral("請更新到新版本"), page.toString()));
        QmlHarness &h = app.harness();
        QVERIFY(app.launch());

        const QString title = QStringLiteral("有新版本");
        QVERIFY(alertDrawn(h, title));
        QCOMPARE(textOf(h, QStringLiteral("alertMessage")), QStringLiteral("請更新到新版本"));
        QVERIFY(!h.find(QStringLiteral("alertButton_取消")));
        QVERIFY(tap(h, QStringLiteral("alertButton_立刻更新")));
        QCOMPARE(browser.opened, QList<QUrl>{page});
        QVERIFY(!h.find(QStringLiteral("alertTitle")));

        // Back in the app, the rep signs in: the alert instead of the home screen.
        QVERIFY(app.typeSignIn());
        QVERIFY(alertDrawn(h, title));
        QVERIFY(app.gateway().gatewayCalls(QStringLiteral("login")).isEmpty());
        QVERIFY(h.navigator().presentedScreens().isEmpty());

        // Answered again, then the app goes to the background and comes back: the alert again.
        QVERIFY(tap(h, QStringLiteral("alertButton_立刻更新")));
        QVERIFY(!h.find(QStringLiteral("alertTitle")));
        emit qGuiApp->applicationStateChanged(Qt::ApplicationHidden);
        emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        QVERIFY(alertDrawn(h, title));
        QCOMPARE(browser.opened.size(), 2);
        QVERIFY(app.gateway().gatewayCalls(QStringLiteral("login")).isEmpty());
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
};

ZELK_TEST(ForcedUpdateJourneyTest)
#include "ForcedUpdateJourneyTest.moc"
