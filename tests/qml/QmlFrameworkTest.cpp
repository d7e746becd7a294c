#include "QmlHarness.h"
#include "TestRegistry.h"
#include "ui/ListModel.h"
#include "ui/RefreshControl.h"
#include "ui/ZelkNavigationController.h"

#include <QTest>

#include <algorithm>

namespace {

// A demo screen: rows, a header and a footer, and a button.
class DemoScreen : public Screen
{
    Q_OBJECT
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(RefreshControl *header READ header CONSTANT)
    Q_PROPERTY(RefreshControl *footer READ footer CONSTANT)
    Q_PROPERTY(QString actionTitle READ actionTitle CONSTANT)
public:
    DemoScreen(const QString &title, const QString &actionTitle) : m_actionTitle(actionTitle)
    {
        setTitle(title);
        setViewUrl(QUrl(QStringLiteral("qrc:/zelktest/views/DemoView.qml")));
        m_footer->setTitle(RefreshControl::NoMoreData, QStringLiteral("已無資料"));
        m_rows.setRows({title + QStringLiteral(" 第1列"), title + QStringLiteral(" 第2列")});
    }
    ListModelBase *rows() { return &m_rows; }
    RefreshControl *header() const { return m_header; }
    RefreshControl *footer() const { return m_footer; }
    QString actionTitle() const { return m_actionTitle; }
    Q_INVOKABLE void act() {}
    int refreshes = 0;

private:
    RowListModel<QString> m_rows{{{"label", [](const QString &row) { return row; }}}};
    RefreshControl *m_header = new RefreshControl(RefreshControl::Kind::Header, [this] { ++refreshes; }, this);
    RefreshControl *m_footer = new RefreshControl(RefreshControl::Kind::Footer, [] {}, this);
    QString m_actionTitle;
};

} // namespace

class QmlFrameworkTest : public QObject
{
    Q_OBJECT
private slots:
    // What the screens' controls, QmlUi's alerts, date picker and spinner say is drawn. (Tabs, the back
    // button, pickers and the slide panel are drawn in the app's journeys.)
    void controlsAndQmlUiAreDrawn()
    {
        QmlHarness h;
        QVERIFY(h.load());
        auto *screen = new DemoScreen(QStringLiteral("訂單"), QStringLiteral("送出"));
        h.navigator().setRootScreen(new ZelkNavigationController(screen));
        h.settle();
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("訂單"));
        QCOMPARE(h.find(QStringLiteral("refreshHeader")), nullptr); // shown only while pulled or refreshing
        screen->header()->beginRefreshing();
        QCOMPARE(screen->refreshes, 1);
        screen->footer()->endRefreshingWithNoMoreData();
        h.settle(100);
        QCOMPARE(textOf(h, QStringLiteral("refreshHeaderTitle")), QStringLiteral("更新資料中"));
        QCOMPARE(textOf(h, QStringLiteral("loadMoreFooterTitle")), QStringLiteral("已無資料"));
        QVERIFY(!h.screenshot(QStringLiteral("framework_refresh")).isEmpty());
        screen->header()->endRefreshing();

        QString typed;
        Alert alert;
        alert.title = QStringLiteral("請輸入購買數量");
        AlertTextField field;
        field.placeholder = QStringLiteral("數量");
        field.filter = [](const QString &, const TextEdit &edit) {
            return std::all_of(edit.replacement.begin(), edit.replacement.end(), [](QChar c) { return c.isDigit(); });
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
        QTRY_VERIFY(input->hasActiveFocus()); // typing goes to the field without tapping it first
        for (const char c : {'1', 'a', '2', 'b'})
            QTest::keyClick(h.window(), c);
        QCOMPARE(input->property("text").toString(), QStringLiteral("12")); // letters refused by the filter
        QVERIFY(!h.screenshot(QStringLiteral("framework_alert")).isEmpty());
        QTest::keyClick(h.window(), Qt::Key_Return); // Return presses the default button "確定"
        h.settle(300);
        QCOMPARE(typed, QStringLiteral("12"));
        QVERIFY(h.ui().alertForView().isEmpty());

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
};

ZELK_TEST(QmlFrameworkTest)
#include "QmlFrameworkTest.moc"
