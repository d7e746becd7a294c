#include "QmlHarness.h"
#include "TestRegistry.h"
#include "ui/ListModel.h"
#include "ui/RefreshControl.h"
#include "ui/SlideMenuController.h"
#include "ui/TabBarController.h"
#include "ui/ZelkNavigationController.h"

#include <QFileInfo>
#include <QTest>

namespace {

// A demo screen: rows, a header and footer, one action.
class DemoScreen : public Screen
{
    Q_OBJECT
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(RefreshControl *header READ header CONSTANT)
    Q_PROPERTY(RefreshControl *footer READ footer CONSTANT)
    Q_PROPERTY(QString actionTitle READ actionTitle CONSTANT)
public:
    DemoScreen(const QString &title, const QString &actionTitle, std::function<void()> action = {})
        : m_actionTitle(actionTitle), m_action(std::move(action))
    {
        setTitle(title);
        setViewUrl(QUrl(QStringLiteral("qrc:/zelktest/views/DemoView.qml")));
        m_header = new RefreshControl(RefreshControl::Kind::Header, [this] { ++refreshes; }, this);
        m_footer = new RefreshControl(RefreshControl::Kind::Footer, [this] { ++pages; }, this);
        m_footer->setTitle(RefreshControl::Idle, QStringLiteral("上滑繼續載入"));
        m_footer->setTitle(RefreshControl::Refreshing, QStringLiteral("正在更新中"));
        m_footer->setTitle(RefreshControl::NoMoreData, QStringLiteral("已無資料"));
        QStringList rows;
        for (int i = 1; i <= 4; ++i)
            rows << QStringLiteral("%1 第%2列").arg(title).arg(i);
        m_rows.setRows(rows);
    }
    ListModelBase *rows() { return &m_rows; }
    RefreshControl *header() const { return m_header; }
    RefreshControl *footer() const { return m_footer; }
    QString actionTitle() const { return m_actionTitle; }
    Q_INVOKABLE void act()
    {
        if (m_action)
            m_action();
    }
    int refreshes = 0;
    int pages = 0;

private:
    RowListModel<QString> m_rows{{{"label", [](const QString &row) { return row; }}}};
    RefreshControl *m_header;
    RefreshControl *m_footer;
    QString m_actionTitle;
    std::function<void()> m_action;
};

} // namespace

class QmlFrameworkTest : public QObject
{
    Q_OBJECT
private slots:
    void windowDrawsTheScreenGraph()
    {
        QmlHarness h;
        QVERIFY(h.load());
        QCOMPARE(h.window()->size(), QSize(390, 844));

        // Sign-in screen presenting the tab screen, as the app does.
        auto *tabs = new TabBarController;
        auto *home = new DemoScreen(QStringLiteral("首頁"), QStringLiteral("下一頁"));
        auto *more = new DemoScreen(QStringLiteral("更多"), QStringLiteral("登出"));
        auto *homeNav = new ZelkNavigationController(home);
        tabs->setViewControllers({homeNav, new ZelkNavigationController(more)});
        tabs->setTabItem(0, {QStringLiteral("首頁"), QStringLiteral("home")});
        tabs->setTabItem(1, {QStringLiteral("更多"), QStringLiteral("more")});
        tabs->setTintColor(QColor(195, 0, 28));
        tabs->setUnselectedTintColor(QColor(54, 65, 79));
        auto *login = new DemoScreen(QStringLiteral("登入"), QStringLiteral("登入"));
        QPointer<TabBarController> tabsGuard(tabs);
        h.navigator().setRootScreen(login);
        h.settle();
        QVERIFY(h.find(QStringLiteral("demoAction")));

        login->present(tabs, true);
        h.settle();
        QVERIFY(h.find(QStringLiteral("tab_0")));
        QCOMPARE(h.find(QStringLiteral("navigationTitle"))->property("text").toString(), QStringLiteral("首頁"));
        QCOMPARE(h.find(QStringLiteral("refreshHeader")), nullptr); // shown only while pulled or refreshing

        // A push shows the back button; tapping it pops through the controller.
        auto *detail = new DemoScreen(QStringLiteral("明細"), QStringLiteral("確定"));
        homeNav->push(detail, true);
        h.settle();
        QCOMPARE(h.find(QStringLiteral("navigationTitle"))->property("text").toString(), QStringLiteral("明細"));
        QVERIFY(h.click(QStringLiteral("backButton")));
        h.settle();
        QCOMPARE(homeNav->depth(), 1);
        QCOMPARE(h.navigator().visibleScreen(), home);

        // Header refresh and footer states show their titles.
        home->header()->beginRefreshing();
        QCOMPARE(home->refreshes, 1);
        h.settle(100);
        QCOMPARE(h.find(QStringLiteral("refreshHeaderTitle"))->property("text").toString(), QStringLiteral("更新資料中"));
        home->footer()->endRefreshingWithNoMoreData();
        h.settle(100);
        QCOMPARE(h.find(QStringLiteral("loadMoreFooterTitle"))->property("text").toString(), QStringLiteral("已無資料"));
        QVERIFY(!h.screenshot(QStringLiteral("framework_tabs")).isEmpty());
        home->header()->endRefreshing();

        // Tapping a tab selects it in the controller.
        QVERIFY(h.click(QStringLiteral("tab_1")));
        h.settle(100);
        QCOMPARE(tabs->selectedIndex(), 1);
        QCOMPARE(h.navigator().visibleScreen(), more);

        // Signing out: the tab screen is dismissed and the login screen shows again.
        tabs->dismiss(true);
        h.settle();
        QVERIFY(tabsGuard.isNull());
        QCOMPARE(h.navigator().presentedScreens().size(), 0);
        QVERIFY(h.find(QStringLiteral("demoAction")));
    }

    void alertsPickersAndSpinnerAreDrawnFromQmlUi()
    {
        QmlHarness h;
        QVERIFY(h.load());
        h.navigator().setRootScreen(new ZelkNavigationController(new DemoScreen(QStringLiteral("訂單"), QStringLiteral("送出"))));
        h.settle();

        QString typed;
        Alert alert;
        alert.title = QStringLiteral("請輸入購買數量");
        AlertTextField field;
        field.placeholder = QStringLiteral("數量");
        field.filter = [](const QString &, const TextEdit &edit) {
            for (const QChar c : edit.replacement) {
                if (!c.isDigit())
                    return false;
            }
            return true;
        };
        alert.addField(field);
        alert.addButton(QStringLiteral("取消"), AlertButton::Style::Cancel);
        alert.addButton(AlertButton::withFields(QStringLiteral("確定"), AlertButton::Style::Default,
                                                [&](const QStringList &texts) { typed = texts.value(0); }));
        h.ui().showAlert(alert);
        h.settle(300);
        QVERIFY(h.find(QStringLiteral("navigationTitle"))); // the screen stays drawn under the alert
        QQuickItem *input = h.find(QStringLiteral("alertField_0"));
        QVERIFY(input);
        QVERIFY(input->hasActiveFocus()); // typing goes to the field without tapping it first
        for (const char c : {'1', 'a', '2', 'b'})
            QTest::keyClick(h.window(), c);
        QCOMPARE(input->property("text").toString(), QStringLiteral("12")); // letters refused by the filter
        QVERIFY(!h.screenshot(QStringLiteral("framework_alert")).isEmpty());
        QTest::keyClick(h.window(), Qt::Key_Return); // Return presses the default button "確定"
        h.settle(300);
        QCOMPARE(typed, QStringLiteral("12"));
        QVERIFY(h.ui().alertForView().isEmpty());

        int row = -1;
        h.ui().showPicker(Picker{QStringLiteral("運輸方式"), {"自提", "送貨"}, 1, [&](int r) { row = r; }, {}});
        h.settle(300);
        QVERIFY(h.find(QStringLiteral("pickerRows")));
        QVERIFY(!h.screenshot(QStringLiteral("framework_picker")).isEmpty());
        QVERIFY(h.click(QStringLiteral("pickerDone")));
        QCOMPARE(row, 1); // the initial row

        // A tap on a row turns the wheel to it.
        h.ui().showPicker(Picker{QStringLiteral("份數"), {"1", "2", "3"}, 0, [&](int r) { row = r; }, {}});
        h.settle(300);
        QVERIFY(h.click(QStringLiteral("pickerRow_2")));
        h.settle(300);
        QVERIFY(h.click(QStringLiteral("pickerDone")));
        QCOMPARE(row, 2);

        // The date picker's wheels turn to a tapped row too: 2024/05/10 becomes 2024/06/11.
        QDate chosen;
        h.ui().showDatePicker(DatePicker{QStringLiteral("查詢時間"), QDate(2024, 5, 10), {}, {},
                                         [&](const QDate &date) { chosen = date; }, {}});
        h.settle(300);
        // The wheels turn to the preset date first.
        const auto centred = [&](const char *row) {
            QQuickItem *item = h.find(QString::fromLatin1(row));
            return item && item->parentItem()
                   && qAbs(item->y() + item->height() / 2 - item->parentItem()->height() / 2) < 1;
        };
        QTRY_VERIFY(centred("datePickerYear_34") && centred("datePickerMonth_4") && centred("datePickerDay_9"));
        QVERIFY(h.click(QStringLiteral("datePickerMonth_5")));
        h.settle(300);
        QVERIFY(h.click(QStringLiteral("datePickerDay_10")));
        h.settle(300);
        QVERIFY(h.click(QStringLiteral("datePickerDone")));
        QCOMPARE(chosen, QDate(2024, 6, 11));

        // A day the month does not have turns the day wheel back to the month's last day.
        h.ui().showDatePicker(DatePicker{QStringLiteral("查詢時間"), QDate(2024, 11, 29), {}, {},
                                         [&](const QDate &date) { chosen = date; }, {}});
        h.settle(300);
        QTRY_VERIFY(centred("datePickerMonth_10") && centred("datePickerDay_28"));
        QVERIFY(h.click(QStringLiteral("datePickerDay_30"))); // "31"
        QTRY_VERIFY(centred("datePickerDay_29"));
        QVERIFY(h.click(QStringLiteral("datePickerDone")));
        QCOMPARE(chosen, QDate(2024, 11, 30));

        h.ui().showSpinner(SpinnerMask::Clear);
        h.settle(100);
        QVERIFY(h.find(QStringLiteral("spinner")));
        QVERIFY(h.find(QStringLiteral("spinnerMask")));
        h.ui().dismissSpinner();
        h.settle(100);
        QCOMPARE(h.find(QStringLiteral("spinner")), nullptr);
    }

    void slideMenuPanelFollowsTheController()
    {
        QmlHarness h;
        QVERIFY(h.load());
        auto *root = new DemoScreen(QStringLiteral("訂單類型"), QStringLiteral("合約訂單"));
        h.navigator().setRootScreen(root);
        auto *cart = new DemoScreen(QStringLiteral("購物車"), QStringLiteral("下單"));
        auto *slide = new SlideMenuController(new ZelkNavigationController(new DemoScreen(QStringLiteral("合約"), QStringLiteral("購物車"))), cart, 300);
        root->present(slide, false);
        h.settle();
        slide->openRight();
        h.settle();
        QVERIFY(slide->isRightFullyOpen());
        // The cart's rows are drawn in the panel.
        bool cartShown = false;
        for (QQuickItem *cell : h.findAll(QStringLiteral("demoCell_0")))
            cartShown = cartShown || (cell->isVisible() && cell->property("text").toString() == QStringLiteral("購物車 第1列"));
        QVERIFY(cartShown);
        QVERIFY(!h.screenshot(QStringLiteral("framework_slide_menu")).isEmpty());
        slide->closeRight();
        h.settle();
        QVERIFY(!slide->isRightOpen());
    }
};

ZELK_TEST(QmlFrameworkTest)
#include "QmlFrameworkTest.moc"
