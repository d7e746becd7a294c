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

// A screen by its title; a container by its kind and children: every screen of a stack, every tab with the
// selected one marked "*", a slide menu's main content and its panel while not closed.
QString shape(const Screen *s)
{
    const auto *stack = qobject_cast<const NavigationController *>(s);
    const auto *tabs = qobject_cast<const TabBarController *>(s);
    QStringList parts;
    const QList<Screen *> children =
        stack ? stack->viewControllers() : tabs ? tabs->viewControllers() : s->visibleChildScreens();
    for (const Screen *c : children)
        parts << shape(c) + (tabs && c == tabs->selectedViewController() ? "*" : "");
    return s->kind() == "screen" ? s->title() : s->kind() + '(' + parts.join(", ") + ')';
}

} // namespace

class ScreenGraphTest : public QObject
{
    Q_OBJECT
    QStringList log;  // of the test function's screens and completions
    QJsonObject seen; // step by step: compared with tests/data/ui/screenGraph/<function>.json
    std::unique_ptr<Navigator> navigator; // the window's graph

    // Files under `step` what was logged since the last step and the graph as it then stands (once the
    // queued work has run, unless `now`): the presentation chain, the screens drawn as presented, the
    // content the user sees and, under a root stack, the pages its view draws.
    void took(const char *step, bool now = false)
    {
        if (!now)
            settle();
        QStringList pages;
        const auto *stack = qobject_cast<NavigationController *>(navigator->rootScreen());
        for (int i = 0; stack && i < stack->pages()->count(); ++i)
            pages << stack->pages()->screenAt(i)->title() + (stack->pages()->isLeaving(i) ? "(leaving)" : "");
        const auto shapes = [](const QList<Screen *> &screens) {
            QStringList parts;
            for (const Screen *s : screens)
                parts << shape(s);
            return parts.join(" => ");
        };
        Screen *visible = navigator->visibleScreen();
        seen.insert(QLatin1String(step),
                    QJsonObject{{"log", QJsonArray::fromStringList(std::exchange(log, {}))},
                                {"chain", shapes(navigator->presentationChain())},
                                {"drawn", shapes(navigator->presentedScreens())},
                                {"visible", visible ? visible->title() : QString()},
                                {"pages", pages.join(", ")}});
    }

    LogScreen *screen(const char *name) { return new LogScreen(QLatin1String(name), &log); }
    Screen::Completion done(const char *what)
    {
        return [this, what] { log << QLatin1String(what); };
    }

private slots:
    void init()
    {
        log.clear();
        seen = {};
        navigator = std::make_unique<Navigator>();
    }
    void cleanup()
    {
        if (!seen.isEmpty() && !QTest::currentTestFailed())
            ZELK_COMPARE_FIXTURE(seen, QStringLiteral("ui/screenGraph/") + QLatin1String(QTest::currentTestFunction()));
        navigator.reset();
    }

    // Also: what a navigation view draws follows the stack by row changes only (the pages it has are
    // kept), with a removed page listed as leaving until its transition has ended.
    void pushAndPopRunLifecycleThenCompletion()
    {
        auto *a = screen("A");
        auto *nav = new NavigationController(a);
        navigator->setRootScreen(nav);
        QAbstractItemModelTester tester(nav->pages(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(nav->pages(), &QAbstractItemModel::modelReset);
        took("root shown");

        auto *b = screen("B");
        nav->push(b, true, done("push done"));
        took("push, at once", true); // the completion never runs inside push()
        QCOMPARE(b->navigationController(), nav);
        took("push, settled");

        QVERIFY(nav->pop(true, done("pop done")));
        QCOMPARE(b->navigationController(), nullptr);
        took("pop, at once", true);
        took("pop"); // the popped screen is deleted only after the completion

        // Popping the root moves nothing, but the completion still runs (later).
        QVERIFY(!nav->pop(true, done("root pop done")));
        took("pop of the root, at once", true);
        took("pop of the root");

        // popToRoot from three deep: only the top disappears; the middle was never shown again.
        nav->push(screen("C"), false);
        nav->push(screen("D"), false);
        took("C and D pushed");
        QVERIFY(nav->popToRoot(true));
        took("pop to root from three deep");

        // setViewControllers keeps screens still listed and deletes the others.
        nav->setViewControllers({a, screen("E")}, false);
        took("A and E");
        nav->setViewControllers({nav->topViewController()});
        took("E alone");

        auto *f = screen("F");
        nav->push(f, true);
        nav->push(screen("G"), true);
        took("F and G pushed, at once", true); // G while F's transition still runs
        nav->popTo(nav->rootViewController(), true);
        took("popped to E, at once", true);
        nav->push(f, true); // pushed again before its removal ended: shown, not leaving
        took("F pushed again, at once", true);
        took("F pushed again");
        nav->setViewControllers({f}, false);
        took("F alone");
        QCOMPARE(nav->pages()->data(nav->pages()->index(0), ScreenListModel::IndexRole).toInt(), 0);
        QCOMPARE(resets.count(), 0);
    }

    void presentAndDismissFormAChain()
    {
        FakeUi ui;
        navigator->setEnvironment({&ui, nullptr, nullptr});
        auto *login = screen("Login");
        navigator->setRootScreen(login);
        took("login shown");

        auto *home = screen("Home");
        QPointer<TabBarController> tabs = new TabBarController;
        tabs->setViewControllers(
            {new ZelkNavigationController(home), new ZelkNavigationController(screen("More"))});
        login->present(tabs, true, done("presented"));
        QCOMPARE(tabs->presentingScreen(), login);
        took("tab screen presenting", true);
        took("tab screen presented"); // tabs load their screens when first shown
        // The environment reaches screens inside containers through their presenter.
        QCOMPARE(home->ui(), &ui);

        // A screen inside the tab screen presents over the whole tab screen.
        auto *sheet = screen("Sheet");
        home->present(sheet, true);
        QCOMPARE(home->presentedScreen(), sheet);
        QCOMPARE(sheet->presentingScreen(), tabs.data());
        took("sheet presented");

        // Presenting while something is presented is refused; the refused screen does not leak.
        home->present(screen("Second"), true, done("second presented"));
        took("second refused");

        // The presented screen dismisses itself; the presenter reappears before the completion runs.
        QSignalSpy drawn(navigator.get(), &Navigator::presentedScreensChanged);
        sheet->dismiss(true, done("dismissed"));
        QVERIFY(sheet->isBeingDismissed());
        took("sheet dismissing", true); // still drawn while its transition runs
        QCOMPARE(drawn.count(), 0);
        took("sheet dismissed");
        QVERIFY(drawn.count() >= 1);

        // Sign-out: dismissing the tab screen from a screen inside it uncovers the login screen.
        home->dismiss(false);
        took("signed out");
        QVERIFY(tabs.isNull());

        // Dismissing from a presenter takes everything above it: only the top was visible, the middle one
        // was already hidden.
        auto *one = screen("One");
        login->present(one, false);
        one->present(screen("Two"), false);
        took("two presented");
        login->dismiss(true);
        took("dismissed from the login screen");

        // Dismissing with nothing presented still completes, later.
        login->dismiss(true, done("nothing dismissed"));
        took("nothing to dismiss, at once", true);
        took("nothing to dismiss");
    }

    // A completion whose screen goes before the transition ends never runs: a push on a stack that goes,
    // a presentation whose presenter goes, a dismissal whose presenter goes.
    void completionOfAGoneScreenDoesNothing()
    {
        for (const QString call : {"push", "present", "dismiss"}) {
            auto *host = screen("Host");
            auto *stack = new NavigationController(host);
            navigator->setRootScreen(stack);
            auto *modal = screen("Modal");
            if (call == "dismiss")
                host->present(modal, false);
            settle();
            if (call == "push")
                stack->push(modal, true, done("ran"));
            else if (call == "present")
                host->present(modal, true, done("ran"));
            else
                modal->dismiss(true, done("ran"));
            delete stack;
            settle();
            QVERIFY2(!log.contains("ran"), qPrintable(call));
            QCOMPARE(navigator->rootScreen(), nullptr);
        }
    }

    void tabSelectionSwitchesAppearance()
    {
        auto *tabs = new TabBarController;
        auto *home = screen("Home");
        tabs->setViewControllers({home, screen("Board"), screen("More")});
        navigator->setRootScreen(tabs);
        QCOMPARE(home->tabBarController(), tabs);
        QCOMPARE(tabs->tabItem(2).title, QStringLiteral("More")); // falls back to the screen's title
        took("first tab shown");

        QSignalSpy changed(tabs, &TabBarController::selectedIndexChanged);
        tabs->setSelectedIndex(2);
        took("third tab selected");
        QCOMPARE(changed.count(), 1);

        // Out of range and the current index change nothing.
        tabs->setSelectedIndex(3);
        tabs->setSelectedIndex(-1);
        tabs->setSelectedIndex(2);
        took("out of range and the current index");
        QCOMPARE(changed.count(), 1);

        tabs->setSelectedIndex(0);
        took("first tab again");
    }

    void slideMenuTellsItsDelegateInOrder()
    {
        navigator->setRootScreen(screen("Root"));
        auto *contracts = screen("Contracts");
        auto *cart = screen("Cart");
        auto *slide = new SlideMenuController(new ZelkNavigationController(contracts), cart, 300);
        slide->setDelegate(cart);
        navigator->rootScreen()->present(slide, false);
        QCOMPARE(contracts->slideMenuController(), slide);
        took("presented");

        slide->openRight();
        QVERIFY(slide->isRightOpen());
        took("opening", true);
        slide->openRight(); // already opening: nothing more
        took("opened"); // the panel appears after "will open" and has appeared before "did open"
        QVERIFY(slide->isRightFullyOpen());
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
