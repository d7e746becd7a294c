// The phone's back action (Qt::Key_Back) and Escape through the real window: each goes one step back
// (a picker closes, a pushed page pops, the cart panel closes, order entry asks before the cart is given
// up, an alert is cancelled) and does nothing on the root of a tab or while the spinner shows.
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/TabBarController.h"

#include <QTest>

using namespace Qt::StringLiterals;

class BackKeyJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void oneStepBackEachTime()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        // Presses `key` once and lets the transitions end.
        const auto press = [&](Qt::Key key) {
            QTest::keyClick(h.window(), key);
            h.settle();
        };
        const auto top = [&] { return h.navigator().describe(); };
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        NavigationController *home = app.homeStack();
        const QString atHome = top();

        // The root of a tab: nothing happens, the app stays.
        press(Qt::Key_Back);
        press(Qt::Key_Escape);
        QCOMPARE(top(), atHome);
        QVERIFY(h.window()->isVisible());

        // A pushed page pops; a picker over it closes first.
        QVERIFY(play(h, "order/openTypes"));
        QVERIFY(play(h, "order/intoHeader"));
        QVERIFY(play(h, "back/pickerOpen"));
        press(Qt::Key_Back);
        QTRY_VERIFY(!h.find(u"pickerDone"_s));
        QCOMPARE(home->depth(), 3);
        press(Qt::Key_Back);
        QTRY_COMPARE(home->depth(), 2);
        press(Qt::Key_Escape);
        QTRY_COMPARE(home->depth(), 1);
        QCOMPARE(top(), atHome);

        // Order entry presented over the tabs: the cart panel closes, then 取消 asks before the cart goes;
        // the question is cancelled by the key too, and the contract screen stays.
        QVERIFY(play(h, "order/openTypes"));
        QVERIFY(play(h, "order/contractsOfACustomer"));
        auto *slide = qobject_cast<SlideMenuController *>(tabs->presentedScreen());
        QVERIFY(slide);
        // While the spinner shows (the contract's materials on their way) the key does nothing.
        QVERIFY(app.gateway().setFault(u"ZSD_GET_CUST_CONTRACT1"_s, u"delay"_s, 3000));
        QVERIFY(tap(h, "contractCell_0"));
        QTRY_VERIFY(h.ui().isSpinnerVisible());
        const QString waiting = top();
        QTest::keyClick(h.window(), Qt::Key_Back);
        QCOMPARE(top(), waiting);
        QVERIFY(shown(h, u"itemCell_1"_s));
        press(Qt::Key_Back);
        QTRY_VERIFY(!h.find(u"itemCell_0"_s));
        QVERIFY(play(h, "order/materials"));
        QVERIFY(play(h, "order/firstMaterial"));
        QTRY_VERIFY(slide->isRightFullyOpen());
        press(Qt::Key_Back);
        QTRY_VERIFY(!slide->isRightOpen());
        press(Qt::Key_Back);
        QVERIFY(play(h, "back/leaveAsked"));
        press(Qt::Key_Back);
        QTRY_VERIFY(!h.find(u"alertTitle"_s));
        QCOMPARE(tabs->presentedScreen(), slide);
        QCOMPARE(app.context().draft().lines().size(), 1);
    }
};

ZELK_TEST(BackKeyJourneyTest)
#include "BackKeyJourneyTest.moc"
