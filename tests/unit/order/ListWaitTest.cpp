// A list a screen needs and does not have is fetched without blocking: the touch-blocking spinner first,
// a repeated tap ignored, a failure answered with 重試 / 取消, 重試 fetching again and going on.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/EditOrderViewController.h"
#include "order/EnterOrderInfoViewController.h"
#include "order/OrderPage1ViewController.h"

#include <QJsonDocument>

class ListWaitTest : public QObject
{
    Q_OBJECT
private slots:
    // row: the screen and its row ("header.inco1"), action: the row's tap, kind: the list, stored: the
    // document held before, if any.
    void pickerWaitsForItsList_data() { QVERIFY(zelktest::addFixtureRows("order/listWaits")); }
    void pickerWaitsForItsList()
    {
        QFETCH(QJsonObject, row);
        const QString tapped = row["row"].toString(), kind = row["kind"].toString();
        const QString stored = row.contains("stored")
                                   ? QString::fromUtf8(QJsonDocument(row["stored"].toObject()).toJson(QJsonDocument::Compact))
                                   : QString();
        AppHarness app;
        app.startSignedIn();
        FakeUi &ui = app.ui;
        if (!stored.isEmpty())
            QVERIFY(app.context->documents().write(kind, stored));
        std::unique_ptr<Screen> screen(
            tapped.startsWith(QLatin1String("header.")) ? new OrderPage1ViewController
            : tapped.startsWith(QLatin1String("entry.")) ? static_cast<Screen *>(new EnterOrderInfoViewController)
                                                         : new EditOrderViewController);
        const auto tapRow = [&] {
            QVERIFY(QMetaObject::invokeMethod(screen.get(), qPrintable(row["action"].toString())));
        };
        screen->setEnvironment({&ui, nullptr, app.context.get()});
        const QJsonObject slowFailure{{"operation", kind}, {"mode", "code"}, {"delayMs", 300},
                                      {"returnCode", "01"}, {"returnMsg", "查無資料"}};

        // Slow, then failing: the spinner and nothing else until the answer; a second tap sends nothing.
        const auto shown = [&ui] { // what the rep sees (a tap on the entry screen also ends editing)
            QStringList calls = ui.calls();
            calls.removeAll(QStringLiteral("endEditing"));
            return calls;
        };
        QVERIFY(app.gateway.setFault(slowFailure));
        tapRow();
        QCOMPARE(shown(), QStringList{QStringLiteral("spinner:show:clear")});
        tapRow();
        QTRY_VERIFY(ui.hasOpenAlert());
        QCOMPARE(app.gateway.gatewayCalls(kind).size(), 1);
        QCOMPARE(shown().mid(1), (QStringList{QStringLiteral("spinner:dismiss"), QStringLiteral("alert:無法取得資料")}));
        QCOMPARE(ui.currentAlertMessage(), QStringLiteral("查無資料"));
        QCOMPARE(ui.currentAlertButtons(), (QStringList{QStringLiteral("重試"), QStringLiteral("取消")}));

        // 取消 leaves everything as it was.
        QVERIFY(ui.pressAlertButton(QStringLiteral("取消")));
        QVERIFY(!ui.hasOpenPicker());
        QCOMPARE(app.context->documents().read(kind).value_or(QString()), stored);

        // Tapped again, failing again: 重試 asks once more and the picker opens with the answer.
        QVERIFY(app.gateway.setFault(slowFailure));
        tapRow();
        QTRY_VERIFY(ui.hasOpenAlert());
        QVERIFY(ui.pressAlertButton(QStringLiteral("重試")));
        QTRY_VERIFY(ui.hasOpenPicker());
        QCOMPARE(app.gateway.gatewayCalls(kind).size(), 3);
        QCOMPARE(ui.currentPicker().title, row["pickerTitle"].toString());
        QVERIFY(!ui.currentPicker().rows.isEmpty());
        QVERIFY(!ui.isSpinnerShowing());
    }

    // A failed customer list is not an empty pick list: it offers 重試.
    void failedCustomerListOffersRetry()
    {
        AppHarness app;
        app.startSignedIn();
        FakeUi &ui = app.ui;
        ChooseOrderTypeViewController screen;
        screen.setEnvironment({&ui, nullptr, app.context.get()});
        QVERIFY(app.gateway.setFault(QStringLiteral("clientList"), QStringLiteral("close")));
        screen.viewWillAppear(false);
        QTRY_VERIFY(ui.hasOpenAlert());
        QCOMPARE(ui.currentAlertTitle(), QStringLiteral("無法取得客戶資料"));
        QCOMPARE(ui.currentAlertButtons(), (QStringList{QStringLiteral("重試"), QStringLiteral("取消")}));
        QVERIFY(ui.pressAlertButton(QStringLiteral("重試")));
        QTRY_VERIFY(screen.selectDataCount() > 0);
        QCOMPARE(app.gateway.gatewayCalls(QStringLiteral("clientList")).size(), 2);
        QVERIFY(!ui.hasOpenAlert());
    }
};

ZELK_TEST(ListWaitTest)
#include "ListWaitTest.moc"
