// A forced update through the real window: the rep taps 立刻更新, comes back and tries to sign in; the
// alert is drawn again and no login reaches the gateway, and it returns whenever the app becomes active.
#include "QmlHarness.h"
#include "TestRegistry.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;

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

    void forcedUpdateCannotBeSignedPast()
    {
        PageOpener browser;
        QDesktopServices::setUrlHandler(u"https"_s, &browser, "open");
        QmlApp app;
        const QUrl page(u"https://apps.zelk-supply.com.tw/eip/download"_s);
        QVERIFY(app.gateway().setVersionState(u"forced"_s, u"請更新到新版本"_s, page.toString()));
        QmlHarness &h = app.harness();
        QVERIFY(app.launch());

        QVERIFY(play(h, "forced/update"));
        QCOMPARE(browser.opened, QList<QUrl>{page});

        // Back in the app, the rep signs in: the alert instead of the home screen.
        QVERIFY(play(h, "forced/signIn"));
        QVERIFY(app.gateway().gatewayCalls(u"login"_s).isEmpty());
        QVERIFY(h.navigator().presentedScreens().isEmpty());

        // Answered again, then the app goes to the background and comes back: the alert again.
        QVERIFY(play(h, "forced/answered"));
        emit qGuiApp->applicationStateChanged(Qt::ApplicationHidden);
        emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        QVERIFY(alertDrawn(h, u"有新版本"_s));
        QCOMPARE(browser.opened.size(), 2);
        QVERIFY(app.gateway().gatewayCalls(u"login"_s).isEmpty());
        QDesktopServices::unsetUrlHandler(u"https"_s);
    }
};

ZELK_TEST(ForcedUpdateJourneyTest)
#include "ForcedUpdateJourneyTest.moc"
