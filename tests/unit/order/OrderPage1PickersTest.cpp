// The header page's list pickers: rows from the stored lists, the chosen record put into the order.
#include "FakeUi.h"
#include "TestRegistry.h"
#include "model/AppContext.h"
#include "model/DocumentStore.h"
#include "order/OrderPage1ViewController.h"

#include <QTemporaryDir>
#include <QTest>

class OrderPage1PickersTest : public QObject
{
    Q_OBJECT
private slots:
    void pickersPutTheChosenRecordIntoTheOrder()
    {
        QTemporaryDir dir;
        AppContext ctx({dir.path(), nullptr, false});
        ctx.documents().write(QStringLiteral("getTvstzList"),
                              QStringLiteral(R"({"list":[{"vkorg":"1100","tvstzId":"1101","tvstzName":"桃園廠"},)"
                                             R"({"vkorg":"1100","tvstzId":"1102","tvstzName":"台北倉"}]})"));
        ctx.documents().write(QStringLiteral("transportList"),
                              QStringLiteral(R"({"transportList":[{"transID":"01","transName":"散裝車"},)"
                                             R"({"transID":"02","transName":"袋裝車"}]})"));
        // Lists the row refresh reads as well, so that nothing is fetched.
        ctx.documents().write(QStringLiteral("inco1List"), QStringLiteral(R"({"inco1List":[]})"));
        ctx.documents().write(QStringLiteral("orderTypeList"), QStringLiteral(R"({"orderTypeList":[]})"));
        FakeUi ui;
        OrderPage1ViewController page;
        page.setEnvironment({&ui, nullptr, &ctx});

        page.tvstzAction();
        QVERIFY(ui.hasOpenPicker());
        QCOMPARE(ui.currentPicker().title, QStringLiteral("選擇裝運點"));
        QCOMPARE(ui.currentPicker().rows, (QStringList{QStringLiteral("桃園廠"), QStringLiteral("台北倉")}));
        QVERIFY(ui.choosePickerRow(1));
        QCOMPARE(page.order().orderItem.vstel, QStringLiteral("1102"));

        page.transTypeAction();
        QCOMPARE(ui.currentPicker().title, QStringLiteral("選擇車船別"));
        QVERIFY(ui.choosePickerRow(0));
        QCOMPARE(page.order().transport.transID, QStringLiteral("01"));
        QCOMPARE(page.order().transport.transName, QStringLiteral("散裝車"));
        QCOMPARE(page.order().orderItem.vstel, QStringLiteral("1102"));

        // A choice made after the page has gone is dropped.
        auto *gone = new OrderPage1ViewController;
        gone->setEnvironment({&ui, nullptr, &ctx});
        gone->tvstzAction();
        QVERIFY(ui.hasOpenPicker());
        QCOMPARE(ui.currentPicker().initialRow, 0);
        delete gone;
        ui.choosePickerRow(0);
        QVERIFY(!ui.hasOpenPicker());

        // Without a context there is no list, and no picker.
        QVERIFY(!ui.hasOpenPicker());
        OrderPage1ViewController alone;
        alone.setEnvironment({&ui, nullptr, nullptr});
        alone.tvstzAction();
        QVERIFY(!ui.hasOpenPicker());
    }

    // Without an order type "1" the page says so instead of going on: every line would be refused.
    void noOrderTypeToOffer()
    {
        QTemporaryDir dir;
        AppContext ctx({dir.path(), nullptr, false});
        ctx.documents().write(QStringLiteral("orderTypeList"),
                              QStringLiteral(R"({"orderTypeList":[{"otCode":"ZCQ","otName":"合約","orderType":"2"}]})"));
        FakeUi ui;
        OrderPage1ViewController page;
        page.setEnvironment({&ui, nullptr, &ctx});
        page.loadViewIfNeeded();
        QCOMPARE(ui.currentAlertTitle(), QStringLiteral("沒有可用的訂單類型"));
        QCOMPARE(ui.currentAlertButtons(), QStringList{QStringLiteral("確定")});
        QVERIFY(ui.pressAlertButton(QStringLiteral("確定")));
        page.nextAction();
        QCOMPARE(ui.currentAlertTitle(), QStringLiteral("沒有可用的訂單類型"));
    }
};

ZELK_TEST(OrderPage1PickersTest)
#include "OrderPage1PickersTest.moc"
