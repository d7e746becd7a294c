#include "TestRegistry.h"
#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/SlideMenuController.h"
#include "ui/TabBarController.h"
#include "ui/ZelkNavigationController.h"
#include "ExpectedJson.h"
#include "FakeUi.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

namespace {

// A screen that writes its lifecycle into a shared log ("A.load", "A.willAppear", … "A.deleted").
class LogScreen : public Screen, public SlideMenuControllerDelegate
{
    Q_OBJECT
public:
    LogScreen(const QString &name, QStringList *log) : m_name(name), m_log(log) { setTitle(name); }
    ~LogScreen() override { note(QStringLiteral("deleted")); }
    void viewDidLoad() override { note(QStringLiteral("load")); }
    void viewWillAppear(bool) override { note(QStringLiteral("willAppear")); }
    void viewDidAppear(bool) override { note(QStringLiteral("didAppear")); }
    void viewWillDisappear(bool) override { note(QStringLiteral("willDisappear")); }
    void viewDidDisappear(bool) override { note(QStringLiteral("didDisappear")); }

    void rightWillOpen() override { note(QStringLiteral("rightWillOpen")); }
    void rightDidOpen() override { note(QStringLiteral("rightDidOpen")); }
    void rightWillClose() override { note(QStringLiteral("rightWillClose")); }
    void rightDidClose() override { note(QStringLiteral("rightDidClose")); }

private:
    void note(const QString &what) { m_log->append(m_name + QLatin1Char('.') + what); }
    QString m_name;
    QStringList *m_log;
};

} // namespace

class ScreenGraphTest : public QObject
{
    Q_OBJECT
    QStringList log;  // of the test function's screens
    QJsonObject seen; // what they logged, step by step: compared with tests/data/ui/screenGraph/<function>.json

    // Takes what the screens logged since the last step (once the queued work has run, unless `now`).
    void took(const char *step, bool now = false)
    {
        if (!now)
            settle();
        seen.insert(QLatin1String(step), QJsonArray::fromStringList(std::exchange(log, {})));
    }

    LogScreen *screen(const char *name) { return new LogScreen(QLatin1String(name), &log); }

private slots:
    void init()
    {
        log.clear();
        seen = {};
    }
    void cleanup()
    {
        if (!seen.isEmpty() && !QTest::currentTestFailed())
            ZELK_COMPARE_FIXTURE(seen, QStringLiteral("ui/screenGraph/") + QLatin1String(QTest::currentTestFunction()));
    }

    void pushAndPopRunLifecycleThenCompletion()
    {
        Navigator navigator;
        auto *a = screen("A");
        auto *nav = new NavigationController(a);
        navigator.setRootScreen(nav);
        took("root shown");

        auto *b = screen("B");
        nav->push(b, true, [&] { log << "push done"; });
        took("push, at once", true); // the completion never runs inside push()
        QCOMPARE(nav->topViewController(), b);
        QCOMPARE(b->navigationController(), nav);
        took("push, settled");

        QVERIFY(nav->pop(true, [&] { log << "pop done"; }));
        QCOMPARE(b->navigationController(), nullptr);
        QCOMPARE(nav->viewControllers(), QList<Screen *>{a});
        took("pop"); // the popped screen is deleted only after the completion

        // Popping the root moves nothing, but the completion still runs (later).
        bool ran = false;
        QVERIFY(!nav->pop(true, [&] { ran = true; }));
        QVERIFY(!ran);
        settle();
        QVERIFY(ran);
        QCOMPARE(nav->depth(), 1);
        took("pop of the root");

        // popToRoot from three deep: only the top disappears; the middle was never shown again.
        nav->push(screen("C"), false);
        nav->push(screen("D"), false);
        settle();
        log.clear();
        QVERIFY(nav->popToRoot(true));
        took("pop to root from three deep");
        QCOMPARE(navigator.visibleScreen(), a);

        // setViewControllers keeps screens still listed and deletes the others.
        auto *e = screen("E");
        nav->setViewControllers({a, e}, false);
        settle();
        QCOMPARE(nav->viewControllers(), (QList<Screen *>{a, e}));
        nav->setViewControllers({e});
        took("A and E, then E alone");
        QCOMPARE(nav->viewControllers(), QList<Screen *>{e});
    }

    // What a navigation view draws follows the stack by row changes only (the pages it has are kept),
    // with a removed page listed as leaving until its transition has ended.
    void navigationPagesFollowTheStack()
    {
        Navigator navigator;
        auto *a = screen("A");
        auto *nav = new NavigationController(a);
        navigator.setRootScreen(nav);
        ScreenListModel *pages = nav->pages();
        QAbstractItemModelTester tester(pages, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(pages, &QAbstractItemModel::modelReset);
        const auto rows = [pages] {
            QStringList list;
            for (int i = 0; i < pages->count(); ++i)
                list << pages->screenAt(i)->title() + (pages->isLeaving(i) ? QStringLiteral("(leaving)") : QString());
            return list;
        };
        QPointer<LogScreen> b = screen("B");
        auto *c = screen("C");
        nav->push(b, true);
        nav->push(c, true); // while B's transition still runs
        QCOMPARE(rows(), (QStringList{"A", "B", "C"}));
        nav->popTo(a, true);
        QCOMPARE(rows(), (QStringList{"A", "B(leaving)", "C(leaving)"}));
        nav->push(b, true); // pushed again before its removal ended: shown, not leaving
        QCOMPARE(rows(), (QStringList{"A", "B", "C(leaving)"}));
        settle();
        QCOMPARE(rows(), (QStringList{"A", "B"}));
        QVERIFY(b);
        nav->setViewControllers({b}, false);
        settle();
        QCOMPARE(rows(), QStringList{"B"});
        QCOMPARE(pages->data(pages->index(0), ScreenListModel::IndexRole).toInt(), 0);
        QCOMPARE(resets.count(), 0);
    }

    void presentAndDismissFormAChain()
    {
        FakeUi ui;
        Navigator navigator;
        navigator.setEnvironment({&ui, nullptr, nullptr});
        auto *login = screen("Login");
        navigator.setRootScreen(login);
        settle();
        log.clear();

        auto *home = screen("Home");
        auto *more = screen("More");
        QPointer<TabBarController> tabs = new TabBarController;
        tabs->setViewControllers({new ZelkNavigationController(home), new ZelkNavigationController(more)});
        QStringList order;
        login->present(tabs, true, [&] { order << "presented"; });
        QCOMPARE(login->presentedScreen(), tabs.data());
        QCOMPARE(tabs->presentingScreen(), login);
        QCOMPARE(navigator.presentationChain(), (QList<Screen *>{login, tabs}));
        QCOMPARE(navigator.visibleScreen(), home);
        QVERIFY(order.isEmpty());
        took("tab screen presented");
        QCOMPARE(order, QStringList{"presented"});
        QVERIFY(!more->isViewLoaded()); // tabs load their screens when first shown
        // The environment reaches screens inside containers through their presenter.
        QCOMPARE(home->ui(), &ui);

        // A screen inside the tab screen presents over the whole tab screen.
        auto *sheet = screen("Sheet");
        home->present(sheet, true);
        QCOMPARE(home->presentedScreen(), sheet);
        QCOMPARE(sheet->presentingScreen(), tabs.data());
        QCOMPARE(navigator.topScreen(), sheet);
        QCOMPARE(navigator.describe(), QStringLiteral("LogScreen => TabBarController[ZelkNavigationController[LogScreen]]"
                                                      " => LogScreen"));
        settle();

        // Presenting while something is presented is refused; the refused screen does not leak.
        bool secondDone = false;
        home->present(screen("Second"), true, [&] { secondDone = true; });
        settle();
        QVERIFY(!secondDone);
        QCOMPARE(navigator.topScreen(), sheet);
        took("sheet presented, second refused");

        // The presented screen dismisses itself; the presenter reappears before the completion runs.
        QSignalSpy drawn(&navigator, &Navigator::presentedScreensChanged);
        sheet->dismiss(true, [&] { log << "dismissed"; });
        QCOMPARE(home->presentedScreen(), nullptr);
        QVERIFY(sheet->isBeingDismissed());
        QCOMPARE(drawn.count(), 0); // still drawn while its transition runs
        took("sheet dismissed");
        QVERIFY(drawn.count() >= 1);

        // Sign-out: dismissing the tab screen from a screen inside it uncovers the login screen.
        home->dismiss(false);
        took("signed out");
        QCOMPARE(navigator.presentationChain(), QList<Screen *>{login});
        QCOMPARE(navigator.visibleScreen(), login);
        QVERIFY(tabs.isNull());

        // Dismissing with nothing presented still completes, later.
        bool ran = false;
        login->dismiss(true, [&] { ran = true; });
        QVERIFY(!ran);
        settle();
        QVERIFY(ran);
    }

    void dismissFromPresenterTakesEverythingAbove()
    {
        Navigator navigator;
        auto *root = screen("Root");
        navigator.setRootScreen(root);
        auto *one = screen("One");
        auto *two = screen("Two");
        root->present(one, false);
        one->present(two, false);
        settle();
        QCOMPARE(navigator.presentationChain().size(), 3);
        log.clear();
        root->dismiss(true);
        took("dismissed from the root"); // only the top was visible; the middle one was already hidden
        QCOMPARE(navigator.presentedScreens().size(), 0);
    }

    // A completion whose screen goes before the transition ends never runs: a push on a stack that goes,
    // a presentation whose presenter goes, a dismissal whose presenter goes.
    void completionOfAGoneScreenDoesNothing()
    {
        Navigator navigator;
        for (const QString call : {"push", "present", "dismiss"}) {
            auto *host = screen("Host");
            auto *stack = new NavigationController(host);
            navigator.setRootScreen(stack);
            auto *modal = screen("Modal");
            if (call == "dismiss")
                host->present(modal, false);
            settle();
            bool ran = false;
            const auto done = [&] { ran = true; };
            if (call == "push")
                stack->push(modal, true, done);
            else if (call == "present")
                host->present(modal, true, done);
            else
                modal->dismiss(true, done);
            delete stack;
            settle();
            QVERIFY2(!ran, qPrintable(call));
            QCOMPARE(navigator.rootScreen(), nullptr);
        }
    }

    void tabSelectionSwitchesAppearance()
    {
        Navigator navigator;
        auto *tabs = new TabBarController;
        auto *home = screen("Home");
        auto *board = screen("Board");
        auto *more = screen("More");
        tabs->setViewControllers({home, board, more});
        navigator.setRootScreen(tabs);
        settle();
        QCOMPARE(tabs->selectedIndex(), 0);
        QCOMPARE(home->tabBarController(), tabs);
        QCOMPARE(tabs->tabItem(2).title, QStringLiteral("More")); // falls back to the screen's title
        took("first tab shown");

        QSignalSpy changed(tabs, &TabBarController::selectedIndexChanged);
        tabs->setSelectedIndex(2);
        QCOMPARE(tabs->selectedViewController(), more);
        took("third tab selected");
        QCOMPARE(changed.count(), 1);
        QVERIFY(!board->isViewLoaded());

        // Out of range and the current index change nothing.
        tabs->setSelectedIndex(3);
        tabs->setSelectedIndex(-1);
        tabs->setSelectedIndex(2);
        took("out of range and the current index");
        QCOMPARE(tabs->selectedIndex(), 2);
        QCOMPARE(changed.count(), 1);

        tabs->setSelectedIndex(0);
        took("first tab again");
        QCOMPARE(navigator.visibleScreen(), home);
    }

    void slideMenuTellsItsDelegateInOrder()
    {
        Navigator navigator;
        auto *root = screen("Root");
        navigator.setRootScreen(root);
        auto *contracts = screen("Contracts");
        auto *cart = screen("Cart");
        auto *slide = new SlideMenuController(new ZelkNavigationController(contracts), cart, 300);
        slide->setDelegate(cart);
        root->present(slide, false);
        settle();
        QCOMPARE(contracts->slideMenuController(), slide);
        QCOMPARE(navigator.visibleScreen(), contracts);
        took("presented");

        slide->openRight();
        QVERIFY(slide->isRightOpen());
        took("opening", true);
        slide->openRight(); // already opening: nothing more
        took("opened"); // the panel appears after "will open" and has appeared before "did open"
        QVERIFY(slide->isRightFullyOpen());
        QCOMPARE(navigator.visibleScreen(), cart);
        slide->closeRight();
        took("closed");

        slide->openRight();
        slide->closeRight();
        took("turned around"); // the earlier move never reports "did open"
        QVERIFY(!slide->isRightOpen());

        QSignalSpy gestures(slide, &SlideMenuController::rightGesturesEnabledChanged);
        slide->removeRightGestures();
        QVERIFY(!slide->rightGesturesEnabled());
        slide->addRightGestures();
        slide->addRightGestures();
        QVERIFY(slide->rightGesturesEnabled());
        QCOMPARE(gestures.count(), 2);

        // A delegate that has gone is no longer told anything.
        auto *other = screen("Gone");
        slide->setDelegate(other);
        delete other;
        slide->toggleRight();
        took("toggled with its delegate gone");
        QVERIFY(slide->isRightFullyOpen());
    }
};

ZELK_TEST(ScreenGraphTest)
#include "ScreenGraphTest.moc"
