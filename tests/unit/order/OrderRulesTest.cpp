// The rules under the order screens: the numeric field rule, whole-text number reading, the cart's
// derived lines and total, and the credit check.
#include "TestRegistry.h"

#include "model/AppContext.h"
#include "model/CartState.h"
#include "order/CustomerCredit.h"
#include "order/NumericField.h"
#include "order/OrderTableStruct.h"
#include "text/Localizer.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Types `text` character by character into a field holding `start`; returns the text the field ends with.
QString typeInto(QString text, const QString &typed)
{
    for (const QChar c : typed) {
        const TextEdit edit{int(text.size()), 0, QString(c)};
        if (numericFieldAccepts(text, edit))
            text = edit.appliedTo(text);
    }
    return text;
}

Order pricedOrder(float price, float quantity, int pages)
{
    Order order;
    order.orderItem.matnr = QStringLiteral("10000101");
    order.orderItem.price = price;
    order.orderItem.kbetr = price;
    order.orderItem.orderNumber = quantity;
    order.orderPage = pages;
    return order;
}

} // namespace

class OrderRulesTest : public QObject
{
    Q_OBJECT
private slots:
    void numericFieldRule()
    {
        QCOMPARE(typeInto(QString(), QStringLiteral("12.5")), QStringLiteral("12.5"));
        QCOMPARE(typeInto(QString(), QStringLiteral("12.125")), QStringLiteral("12.125"));
        // A fourth decimal, a second point and letters are dropped as they are typed.
        QCOMPARE(typeInto(QStringLiteral("12.125"), QStringLiteral("7")), QStringLiteral("12.125"));
        QCOMPARE(typeInto(QStringLiteral("12.5"), QStringLiteral(".3")), QStringLiteral("12.53"));
        QCOMPARE(typeInto(QString(), QStringLiteral("1a2b")), QStringLiteral("12"));
        // Pastes are judged as a whole.
        QVERIFY(!numericFieldAccepts(QString(), TextEdit{0, 0, QStringLiteral("1,000")}));
        QVERIFY(!numericFieldAccepts(QString(), TextEdit{0, 0, QStringLiteral("1.2.3")}));
        QVERIFY(!numericFieldAccepts(QStringLiteral("5"), TextEdit{0, 1, QStringLiteral("1.2345")}));
        QVERIFY(numericFieldAccepts(QStringLiteral("5"), TextEdit{0, 1, QStringLiteral("1.234")}));
        QVERIFY(numericFieldAccepts(QString(), TextEdit{0, 0, QStringLiteral(".")}));
        // Digits before the point do not count against the three decimals.
        QVERIFY(numericFieldAccepts(QStringLiteral("2.125"), TextEdit{0, 0, QStringLiteral("1")}));
        // Deleting is always allowed, even from a text the rule would not produce.
        QVERIFY(numericFieldAccepts(QStringLiteral("1.23456"), TextEdit{6, 1, QString()}));

        QVERIFY(lengthLimitAccepts(QStringLiteral("12345678901234"), TextEdit{14, 0, QStringLiteral("5")}, 15));
        QVERIFY(!lengthLimitAccepts(QStringLiteral("123456789012345"), TextEdit{15, 0, QStringLiteral("6")}, 15));
        QVERIFY(!lengthLimitAccepts(QStringLiteral("1234567890"), TextEdit{10, 0, QStringLiteral("abcdef")}, 15));
        QVERIFY(lengthLimitAccepts(QStringLiteral("1234567890123456"), TextEdit{15, 1, QString()}, 15));
    }

    void wholeTextNumbers()
    {
        QCOMPARE(CartState::wholeFloat(QStringLiteral("12.125")), std::optional<float>(12.125f));
        QCOMPARE(CartState::wholeFloat(QStringLiteral("12")), std::optional<float>(12.0f));
        QCOMPARE(CartState::wholeFloat(QStringLiteral("1e+16")), std::optional<float>(1e16f));
        QCOMPARE(CartState::wholeFloat(QStringLiteral("-3.5")), std::optional<float>(-3.5f));
        for (const char *bad : {".", "", " 12", "12 ", "1,000", "abc", "12abc", "nan", "inf", "+-1", "1.2.3"})
            QVERIFY2(!CartState::wholeFloat(QString::fromLatin1(bad)), bad);
    }

    void cartDerivesLinesAndTotal()
    {
        CartState cart([] { return QStringLiteral("陳志明"); });
        const Order a = pricedOrder(350, 12, 3);
        const Order b = pricedOrder(1250.5f, 2, 1);
        cart.appendOrder(a);
        cart.appendOrder(b);
        QCOMPARE(cart.orderConfirmArray().size(), 4);
        QCOMPARE(cart.orderConfirmArray().at(0).orderSeq, a.orderSeq);
        QCOMPARE(cart.orderConfirmArray().at(2).rootSeq, a.orderSeq);
        QVERIFY(cart.orderConfirmArray().at(2).orderSeq != a.orderSeq);
        QCOMPARE(cart.orderConfirmArray().at(3).orderSeq, b.orderSeq);
        QCOMPARE(cart.orderConfirmArray().at(1).orderUserName, QStringLiteral("陳志明"));
        QCOMPARE(cart.orderConfirmAmount(), 12600.0f + 2501.0f);
        QCOMPARE(cart.orderConfirmAmountText(), QStringLiteral("¥15,101.00"));

        // A line whose texts do not read counts 0; the cart lines are the authority again on reload.
        QVERIFY(cart.replaceOrder(b.orderSeq, pricedOrder(0.1f, 3, 1)));
        QCOMPARE(cart.cartOrderArray().at(1).orderItem.price, 0.1f);
        QCOMPARE(cart.orderConfirmAmount(), 12600.0f + 0.1f * 3.0f);
        QVERIFY(!cart.replaceOrder(QStringLiteral("missing"), b));

        cart.removeOrderAt(0);
        cart.removeOrderAt(0);
        QVERIFY(cart.orderConfirmArray().isEmpty());
        QCOMPARE(cart.orderConfirmAmount(), 0.0f);
        QCOMPARE(cart.orderConfirmAmountText(), QStringLiteral("¥0.00"));

        cart.setCartOrderArray({a});
        cart.clear();
        QVERIFY(cart.cartOrderArray().isEmpty());
        QVERIFY(cart.orderConfirmArray().isEmpty());
    }

    void creditCheckEdges()
    {
        CustomerStruct customer;
        customer.setCreditValue(5000);
        customer.setNowOrderValue(4000);
        QVERIFY(CustomerCredit::canAddOrderValue(customer, 1000));    // equality passes
        QVERIFY(!CustomerCredit::canAddOrderValue(customer, 1000.5f));
        QVERIFY(CustomerCredit::canAddOrderValue(customer, -3000));   // a decrease always fits here
        customer.setNowOrderValue(9000);                               // already above the credit
        QVERIFY(!CustomerCredit::canAddOrderValue(customer, -3000));
        QVERIFY(CustomerCredit::canAddOrderValue(customer, -4000));
        customer.setCreditValue(0);
        customer.setNowOrderValue(0);
        QVERIFY(!CustomerCredit::canAddOrderValue(customer, 0.01f));
        QVERIFY(CustomerCredit::canAddOrderValue(customer, 0));
    }

    void rowPrompts()
    {
        QCOMPARE((OrderTableStruct{"a", "n", QString(), EditType::choice, {}}).detailText(), QStringLiteral("請選擇"));
        QCOMPARE((OrderTableStruct{"a", "n", QString(), EditType::enter, {}}).detailText(), QStringLiteral("請輸入"));
        QCOMPARE((OrderTableStruct{"a", "n", QString(), EditType::enterOptional, {}}).detailText(),
                 QStringLiteral("請輸入(選填)"));
        QCOMPARE((OrderTableStruct{"a", "n", QString(), EditType::none, {}}).detailText(), QString());
        QCOMPARE((OrderTableStruct{"a", "n", "台北倉", EditType::choice, {}}).detailText(), QStringLiteral("台北倉"));
        QVERIFY((OrderTableStruct{"a", "n", QString(), EditType::enter, {}}).isMissing());
        QVERIFY(!(OrderTableStruct{"a", "n", QString(), EditType::enterOptional, {}}).isMissing());
        QVERIFY(!(OrderTableStruct{"a", "n", QString(), EditType::none, {}}).isMissing());

        // The prompts are looked up in the order table.
        Localizer::instance().load({QStringLiteral("en-US")});
        QCOMPARE((OrderTableStruct{"a", "n", QString(), EditType::choice, {}}).detailText(), QStringLiteral("Please choose"));
        QCOMPARE(localized(QStringLiteral("已超過信用額度，無法在下單")),
                 QStringLiteral("The credit limit is exceeded, the order cannot be placed"));
        Localizer::instance().load({QStringLiteral("zh-TW")});
    }
};

ZELK_TEST(OrderRulesTest)
#include "OrderRulesTest.moc"
