// A list a screen needs and does not have is fetched without blocking: the touch-blocking spinner first,
// a repeated tap ignored, a failure answered with 重試 / 取消, 重試 fetching again and going on.
#include "ExpectedJson.h"
#include "FakeUi.h"
#include "GatewayFixture.h"
#include "TestRegistry.h"
#include "model/AppContext.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/EditOrderViewController.h"
#include "order/EnterOrderInfoViewController.h"
#include "order/OrderPage1ViewController.h"
#include "text/Localizer.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

class ListWaitTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<GatewayFixture> m_gateway;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppContext> m_ctx;

private slots:
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }
    void init()
    {
        m_gateway = std::make_unique<GatewayFixture>();
        QVERIFY(m_gateway->isRunning());
        m_dir = std::make_unique<QTemporaryDir>();
        m_ctx = std::make_unique<AppContext>(AppContext::Options{m_dir->path(), nullptr, false});
        m_ctx->start();
        m_ctx->secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U10023"));
    }
    void cleanup()
    {
        m_ctx.reset();
        m_gateway.reset();
    }

    // row: the screen and its row ("header.inco1"), kind: the list, stored: the document held before, if any.
    void pickerWaitsForItsList_data() { QVERIFY(zelktest::addFixtureRows("order/listWaits")); }
    void pickerWaitsForItsList()
    {
        QFETCH(QJsonObject, row);
        const QString tapped = row["row"].toString(), kind = row["kind"].toString();
        const QString stored = row.contains("stored")
                                   ? QString::fromUtf8(QJsonDocument(row["stored"].toObject()).toJson(QJsonDocument::Compact))
                                   : QString();
        if (!stored.isEmpty())
            QVERIFY(m_ctx->documents().write(kind, stored));
        FakeUi ui;
        std::unique_ptr<Screen> screen;
        std::function<void()> tapRow;
        if (tapped.startsWith(QLatin1String("header."))) {
            auto *page = new OrderPage1ViewController;
            tapRow = tapped.endsWith(QLatin1String("inco1")) ? std::function([page] { page->inco1Action(); })
                                                          : std::function([page] { page->transTypeAction(); });
            screen.reset(page);
        } else if (tapped.startsWith(QLatin1String("entry."))) {
            auto *entry = new EnterOrderInfoViewController;
            tapRow = [entry] { entry->orderTypeAction(); };
            screen.reset(entry);
        } else {
            auto *edit = new EditOrderViewController;
            tapRow = [edit] { edit->editBezei(); };
            screen.reset(edit);
        }
        screen->setEnvironment({&ui, nullptr, m_ctx.get()});
        const QJsonObject slowFailure{{"operation", kind}, {"mode", "code"}, {"delayMs", 300},
                                      {"returnCode", "01"}, {"returnMsg", "查無資料"}};

        // Slow, then failing: the spinner and nothing else until the answer; a second tap sends nothing.
        const auto shown = [&ui] { // what the rep sees (a tap on the entry screen also ends editing)
            QStringList calls = ui.calls();
            calls.removeAll(QStringLiteral("endEditing"));
            return calls;
        };
        QVERIFY(m_gateway->setFault(slowFailure));
        tapRow();
        QCOMPARE(shown(), QStringList{QStringLiteral("spinner:show:clear")});
        tapRow();
        QTRY_VERIFY(ui.hasOpenAlert());
        QCOMPARE(m_gateway->gatewayCalls(kind).size(), 1);
        QCOMPARE(shown().mid(1), (QStringList{QStringLiteral("spinner:dismiss"), QStringLiteral("alert:無法取得資料")}));
        QCOMPARE(ui.currentAlertMessage(), QStringLiteral("查無資料"));
        QCOMPARE(ui.currentAlertButtons(), (QStringList{QStringLiteral("重試"), QStringLiteral("取消")}));

        // 取消 leaves everything as it was.
        QVERIFY(ui.pressAlertButton(QStringLiteral("取消")));
        QVERIFY(!ui.hasOpenPicker());
        QCOMPARE(m_ctx->documents().read(kind).value_or(QString()), stored);

        // Tapped again, failing again: 重試 asks once more and the picker opens with the answer.
        QVERIFY(m_gateway->setFault(slowFailure));
        tapRow();
        QTRY_VERIFY(ui.hasOpenAlert());
        QVERIFY(ui.pressAlertButton(QStringLiteral("重試")));
        QTRY_VERIFY(ui.hasOpenPicker());
        QCOMPARE(m_gateway->gatewayCalls(kind).size(), 3);
        QCOMPARE(ui.currentPicker().title, row["pickerTitle"].toString());
        QVERIFY(!ui.currentPicker().rows.isEmpty());
        QVERIFY(!ui.isSpinnerShowing());
    }

    // A failed customer list is not an empty pick list: it offers 重試.
    void failedCustomerListOffersRetry()
    {
        FakeUi ui;
        ChooseOrderTypeViewController screen;
        screen.setEnvironment({&ui, nullptr, m_ctx.get()});
        QVERIFY(m_gateway->setFault(QStringLiteral("clientList"), QStringLiteral("close")));
        screen.viewWillAppear(false);
        QTRY_VERIFY(ui.hasOpenAlert());
        QCOMPARE(ui.currentAlertTitle(), QStringLiteral("無法取得客戶資料"));
        QCOMPARE(ui.currentAlertButtons(), (QStringList{QStringLiteral("重試"), QStringLiteral("取消")}));
        QVERIFY(ui.pressAlertButton(QStringLiteral("重試")));
        QTRY_VERIFY(screen.selectDataCount() > 0);
        QCOMPARE(m_gateway->gatewayCalls(QStringLiteral("clientList")).size(), 2);
        QVERIFY(!ui.hasOpenAlert());
    }
};

ZELK_TEST(ListWaitTest)
#include "ListWaitTest.moc"
