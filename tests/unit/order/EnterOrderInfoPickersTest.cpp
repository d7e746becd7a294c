// The item entry's two list pickers (transport, delivery method): rows from the stored lists, the current
// title preselected, the chosen name shown on its button.
#include "FakeUi.h"
#include "TestRegistry.h"
#include "model/AppContext.h"
#include "model/DocumentStore.h"
#include "order/EnterOrderInfoViewController.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class EnterOrderInfoPickersTest : public QObject
{
    Q_OBJECT
private slots:
    void pickersShowTheListsAndSetTheButtonTitles()
    {
        QTemporaryDir dir;
        AppContext ctx({dir.path(), nullptr, false});
        ctx.documents().write(QStringLiteral("transportList"),
                              QStringLiteral(R"({"transportList":[{"transID":"01","transName":"散裝車"},)"
                                             R"({"transID":"02","transName":"袋裝車"}]})"));
        ctx.documents().write(QStringLiteral("inco1List"),
                              QStringLiteral(R"({"inco1List":[{"inco1":"DAP","bezei":"送達工地"},)"
                                             R"({"inco1":"EXW","bezei":"自取"}]})"));
        FakeUi ui;
        EnterOrderInfoViewController screen;
        screen.setEnvironment({&ui, nullptr, &ctx});
        QSignalSpy changed(&screen, &EnterOrderInfoViewController::contentChanged);

        screen.orderTypeAction();
        QVERIFY(ui.hasOpenPicker());
        QCOMPARE(ui.currentPicker().title, QStringLiteral("選擇車船別"));
        QCOMPARE(ui.currentPicker().rows, (QStringList{QStringLiteral("散裝車"), QStringLiteral("袋裝車")}));
        QCOMPARE(ui.currentPicker().initialRow, 0); // "請選擇" is no row
        QVERIFY(ui.choosePickerRow(1));
        QCOMPARE(screen.orderTypeButtonTitle(), QStringLiteral("袋裝車"));
        QCOMPARE(changed.size(), 1);

        // Opened again, the picker starts at the chosen row; the other button is untouched.
        screen.orderTypeAction();
        QCOMPARE(ui.currentPicker().initialRow, 1);
        QVERIFY(ui.cancelPicker());
        QCOMPARE(screen.orderTypeButtonTitle(), QStringLiteral("袋裝車"));

        QCOMPARE(screen.info1ButtonText(), QStringLiteral("請選擇")); // nothing chosen: the prompt shows
        screen.inco1Action();
        QCOMPARE(ui.currentPicker().title, QStringLiteral("選擇交貨方式"));
        QCOMPARE(ui.currentPicker().rows, (QStringList{QStringLiteral("送達工地"), QStringLiteral("自取")}));
        QVERIFY(ui.choosePickerRow(0));
        QCOMPARE(screen.info1ButtonTitle(), QStringLiteral("送達工地"));
        QCOMPARE(screen.info1ButtonText(), QStringLiteral("送達工地"));
        QCOMPARE(screen.orderTypeButtonTitle(), QStringLiteral("袋裝車"));
    }
};

ZELK_TEST(EnterOrderInfoPickersTest)
#include "EnterOrderInfoPickersTest.moc"
