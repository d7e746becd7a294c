// The list pickers of the header page and of the item entry: rows from the stored lists, the chosen
// record put into the order or onto the button, the current choice preselected.
#include "FakeUi.h"
#include "TestRegistry.h"
#include "model/AppContext.h"
#include "model/DocumentStore.h"
#include "order/EnterOrderInfoViewController.h"
#include "order/OrderPage1ViewController.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A context whose stored lists hold two shipping points, two car/ship kinds and two delivery methods.
struct Lists {
    QTemporaryDir dir;
    AppContext ctx{{dir.path(), nullptr, false}};
    FakeUi ui;
    Lists()
    {
        ctx.documents().write(QStringLiteral("getTvstzList"),
                              QStringLiteral(R"({"list":[{"vkorg":"1100","tvstzId":"1101","tvstzName":"桃園廠"},)"
                                             R"({"vkorg":"1100","tvstzId":"1102","tvstzName":"台北倉"}]})"));
        ctx.documents().write(QStringLiteral("transportList"),
                              QStringLiteral(R"({"transportList":[{"transID":"01","transName":"散裝車"},)"
                                             R"({"transID":"02","transName":"袋裝車"}]})"));
        ctx.documents().write(QStringLiteral("inco1List"),
                              QStringLiteral(R"({"inco1List":[{"inco1":"DAP","bezei":"送達工地"},)"
                                             R"({"inco1":"EXW","bezei":"自取"}]})"));
        ctx.documents().write(QStringLiteral("orderTypeList"), QStringLiteral(R"({"orderTypeList":[]})"));
    }
};
} // namespace

class OrderPickersTest : public QObject
{
    Q_OBJECT
private slots:
    void headerPickersPutTheChosenRecordIntoTheOrder()
    {
        Lists l;
        OrderPage1ViewController page;
        page.setEnvironment({&l.ui, nullptr, &l.ctx});
        page.tvstzAction();
        QCOMPARE(l.ui.currentPicker().rows, (QStringList{QStringLiteral("桃園廠"), QStringLiteral("台北倉")}));
        QVERIFY(l.ui.choosePickerRow(1));
        QCOMPARE(page.order().orderItem.vstel, QStringLiteral("1102"));
        page.transTypeAction();
        QVERIFY(l.ui.choosePickerRow(0));
        QCOMPARE(page.order().transport.transID, QStringLiteral("01"));
        QCOMPARE(page.order().transport.transName, QStringLiteral("散裝車"));
        QCOMPARE(page.order().orderItem.vstel, QStringLiteral("1102"));

        // A choice made after the page has gone is dropped.
        auto *gone = new OrderPage1ViewController;
        gone->setEnvironment({&l.ui, nullptr, &l.ctx});
        gone->tvstzAction();
        QVERIFY(l.ui.hasOpenPicker());
        delete gone;
        l.ui.choosePickerRow(0);
        QVERIFY(!l.ui.hasOpenPicker());
    }

    void entryPickersSetTheButtonTitles()
    {
        Lists l;
        EnterOrderInfoViewController screen;
        screen.setEnvironment({&l.ui, nullptr, &l.ctx});
        QSignalSpy changed(&screen, &EnterOrderInfoViewController::contentChanged);
        screen.orderTypeAction();
        QCOMPARE(l.ui.currentPicker().initialRow, 0); // "請選擇" is no row
        QVERIFY(l.ui.choosePickerRow(1));
        QCOMPARE(screen.orderTypeButtonTitle(), QStringLiteral("袋裝車"));
        QCOMPARE(changed.size(), 1);

        // Opened again, the picker starts at the chosen row; the other button is untouched.
        screen.orderTypeAction();
        QCOMPARE(l.ui.currentPicker().initialRow, 1);
        QVERIFY(l.ui.cancelPicker());
        QCOMPARE(screen.orderTypeButtonTitle(), QStringLiteral("袋裝車"));
        QCOMPARE(screen.info1ButtonText(), QStringLiteral("請選擇")); // nothing chosen: the prompt shows
        screen.inco1Action();
        QVERIFY(l.ui.choosePickerRow(0));
        QCOMPARE(screen.info1ButtonText(), QStringLiteral("送達工地"));
        QCOMPARE(screen.orderTypeButtonTitle(), QStringLiteral("袋裝車"));
    }

    // Without an order type "1" the page says so instead of going on: every line would be refused.
    void noOrderTypeToOffer()
    {
        Lists l;
        l.ctx.documents().write(QStringLiteral("orderTypeList"),
                                QStringLiteral(R"({"orderTypeList":[{"otCode":"ZCQ","otName":"合約","orderType":"2"}]})"));
        OrderPage1ViewController page;
        page.setEnvironment({&l.ui, nullptr, &l.ctx});
        page.loadViewIfNeeded();
        QCOMPARE(l.ui.currentAlertButtons(), QStringList{QStringLiteral("確定")});
        QVERIFY(l.ui.pressAlertButton(QStringLiteral("確定")));
        page.nextAction();
        QCOMPARE(l.ui.currentAlertTitle(), QStringLiteral("沒有可用的訂單類型"));
    }
};

ZELK_TEST(OrderPickersTest)
#include "OrderPickersTest.moc"
