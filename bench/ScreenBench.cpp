// Screens a rep opens, in the real window against the development gateway, each figure beside its floor
// in the same run: the longest main-thread stall while sign-in builds the tab screen and its first page
// (floor: the same window idle), and the header page of a normal order from the tap on its customer to a
// still screen (floor: a page of static text opened by a tap, with the same slide). A window: run it under
// Xvfb, `xvfb-run -a build/bench/zelk_bench_screens`.
#include "QmlHarness.h"

#include "model/AppContext.h"
#include "order/OrderPage1ViewController.h"
#include "ui/NavigationController.h"
#include "ui/TabBarController.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimer>

#include <atomic>

namespace {
// The main thread's longest gap between the ticks of a 1 ms timer, and the window's last drawn frame.
class Watch
{
public:
    explicit Watch(QQuickWindow *window)
    {
        m_clock.start();
        m_ticks.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_ticks, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.elapsed() - m_lastTick);
            m_lastTick = m_clock.elapsed();
        });
        // Frames may be swapped on the render thread.
        QObject::connect(window, &QQuickWindow::frameSwapped, &m_context, [this] { m_lastFrame = m_clock.elapsed(); },
                         Qt::DirectConnection);
        m_ticks.start(1);
        QTest::qWait(50);
    }
    // From now on.
    void begin()
    {
        m_start = m_lastTick = m_clock.elapsed();
        m_longest = 0;
    }
    // Waits until `ready` holds and then no frame is drawn for 300 ms; the time from begin() to the last
    // frame drawn, or -1 when the screen does not come to rest within 10 s.
    qint64 untilStill(const std::function<bool()> &ready)
    {
        if (!QTest::qWaitFor(ready, 10000)
            || !QTest::qWaitFor([&] { return m_clock.elapsed() - m_lastFrame > 300; }, 10000))
            return -1;
        return m_lastFrame - m_start;
    }
    qint64 longestStall() const { return m_longest; }

private:
    QElapsedTimer m_clock;
    QTimer m_ticks;
    QObject m_context;
    qint64 m_start = 0, m_lastTick = 0, m_longest = 0;
    std::atomic<qint64> m_lastFrame{0};
};
} // namespace

class ScreenBench : public QObject
{
    Q_OBJECT
private slots:
    // The sign-in steps are the window journeys' own, read from the source tree.
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("ZELK_TEST_SOURCE_DIR"))
            qputenv("ZELK_TEST_SOURCE_DIR", ZELK_SOURCE_DIR);
    }
    // Sign-in builds the tab screen and its home page, and the customer list loads behind the home page
    // (goal: no stall over 50 ms).
    void signInStall_data()
    {
        QTest::addColumn<bool>("idle");
        QTest::addColumn<int>("customers");
        QTest::newRow("floor: the sign-in screen idle") << true << 0;
        QTest::newRow("sign-in to the home page") << false << 0;
        QTest::newRow("sign-in, the home page until 100,000 customers are held") << false << 100000;
    }
    void signInStall()
    {
        QFETCH(bool, idle);
        QFETCH(int, customers);
        QmlApp app;
        QmlHarness &h = app.harness();
        if (customers) {
            QJsonArray list;
            for (int i = 0; i < customers; ++i)
                list.append(QJsonObject{{"kunnr", QStringLiteral("00%1").arg(100000 + i)},
                                        {"name1", QStringLiteral("台灣%1建材行").arg(i)},
                                        {"city1", QStringLiteral("台北市")},
                                        {"street", QStringLiteral("中山路%1號").arg(i % 300)},
                                        {"telNumber", QStringLiteral("02-2%1").arg(1000000 + i)},
                                        {"bzirk", QStringLiteral("TW0%1").arg(i % 5)},
                                        {"bukrs", QStringLiteral("1000")},
                                        {"vkorg", QStringLiteral("1100")}});
            const QJsonObject answer{{"returnCode", "00"}, {"returnMsg", "OK"}, {"custList", list}};
            QVERIFY(app.gateway().setFault({{"operation", "clientList"}, {"mode", "reply"}, {"status", 200},
                                            {"contentType", "application/json"},
                                            {"body", QString::fromUtf8(QJsonDocument(answer).toJson(QJsonDocument::Compact))}}));
        }
        QVERIFY(app.launch());
        QVERIFY(h.click(QStringLiteral("userNameTextField")));
        typeText(h.window(), "demo");
        QVERIFY(h.click(QStringLiteral("passwordTextField")));
        typeText(h.window(), "demo123");
        h.settle();
        Watch watch(h.window());
        qint64 still = 0;
        QBENCHMARK_ONCE {
            watch.begin();
            if (idle) {
                QTest::qWait(1500);
            } else {
                QVERIFY(h.click(QStringLiteral("loginButton")));
                still = watch.untilStill([&] { NavigationController *home = app.homeStack();
                    return home && h.drawnPages() == QList<Screen *>{home->topViewController()} && !h.ui().isSpinnerVisible()
                           && (!customers || app.context().lists().customerList()); });
                QVERIFY(still > 0);
            }
        }
        qInfo("longest stall %lld ms; tap to still %lld ms", watch.longestStall(), still);
        QTest::setBenchmarkResult(qreal(watch.longestStall()), QTest::WalltimeMilliseconds);
    }

    // The header page of a normal order opened by a tap on the first customer (goal: no stall over 50 ms,
    // tap to still within the slide plus 100 ms), beside the About page opened from More.
    void openHeaderPage_data()
    {
        QTest::addColumn<bool>("plain");
        QTest::newRow("floor: the About page") << true;
        QTest::newRow("header page") << false;
    }
    void openHeaderPage()
    {
        QFETCH(bool, plain);
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        NavigationController *stack = plain ? qobject_cast<NavigationController *>(tabs->viewControllers().value(3))
                                            : app.homeStack();
        QVERIFY(stack);
        if (plain)
            QVERIFY(tap(h, QStringLiteral("tab_3")));
        else
            QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")) && tap(h, QStringLiteral("normalView")));
        const QString cell = plain ? QStringLiteral("moreCell_0") : QStringLiteral("selectDataCell_0");
        QVERIFY(QTest::qWaitFor([&] { return h.find(cell) && !h.ui().isSpinnerVisible(); }, 10000));
        h.settle();
        Screen *before = stack->topViewController();
        Watch watch(h.window());
        qint64 still = 0;
        QBENCHMARK_ONCE {
            watch.begin();
            QVERIFY(h.click(cell));
            still = watch.untilStill([&] {
                Screen *top = stack->topViewController();
                auto *header = qobject_cast<OrderPage1ViewController *>(top);
                return top != before && (plain || (header && header->row(QStringLiteral("tvstz"))))
                       && !h.ui().isSpinnerVisible() && h.drawnPages() == QList<Screen *>{top};
            });
        }
        QVERIFY(still > 0);
        qInfo("longest stall %lld ms; tap to still %lld ms (the slide: %d ms)", watch.longestStall(), still,
              Screen::transitionDuration());
        QTest::setBenchmarkResult(qreal(still), QTest::WalltimeMilliseconds);
    }
};

QTEST_MAIN(ScreenBench)
#include "ScreenBench.moc"
