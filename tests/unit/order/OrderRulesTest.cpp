// The rules under the order screens: the numeric field rule, whole-text number reading, the cart's
// derived lines and total, and the credit check.
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "model/AppContext.h"
#include "model/CartState.h"
#include "order/CustomerCredit.h"
#include "order/NumericField.h"
#include "order/OrderTableStruct.h"

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

Q_DECLARE_METATYPE(EditType)
Q_DECLARE_METATYPE(std::optional<float>)

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

    void wholeTextNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<float>>("value");
        QTest::newRow("decimals") << "12.125" << std::optional<float>(12.125f);
        QTest::newRow("whole") << "12" << std::optional<float>(12.0f);
        QTest::newRow("exponent") << "1e+16" << std::optional<float>(1e16f);
        QTest::newRow("negative") << "-3.5" << std::optional<float>(-3.5f);
        for (const char *bad : {".", "", " 12", "12 ", "1,000", "abc", "12abc", "nan", "inf", "+-1", "1.2.3"})
            QTest::newRow(qPrintable(QStringLiteral("refused '%1'").arg(QLatin1String(bad))))
                << QString::fromLatin1(bad) << std::optional<float>();
    }
    void wholeTextNumbers()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<float>, value);
        QCOMPARE(CartState::wholeFloat(text), value);
    }

    void cartDerivesLinesAndTotal()
    {
        CartState cart([] { return QStringLiteral("陳志明"); });
        const Order a = pricedOrder(350, 12, 3);
        const Order b = pricedOrder(1250.5f, 2, 1);
        cart.setCartOrderArray({a, b});
        QCOMPARE(cart.orderConfirmArray().size(), 4);
        QCOMPARE(cart.orderConfirmArray().at(0).orderSeq, a.orderSeq);
        QCOMPARE(cart.orderConfirmArray().at(2).rootSeq, a.orderSeq);
        QVERIFY(cart.orderConfirmArray().at(2).orderSeq != a.orderSeq);
        QCOMPARE(cart.orderConfirmArray().at(3).orderSeq, b.orderSeq);
        QCOMPARE(cart.orderConfirmArray().at(1).orderUserName, QStringLiteral("陳志明"));
        QCOMPARE(cart.orderConfirmAmount(), 12600.0f + 2501.0f);
        QCOMPARE(cart.orderConfirmAmountText(), QStringLiteral("¥15,101.00"));

        // A line whose texts do not read counts 0; the cart lines are the authority again on reload.
        Order cheap = pricedOrder(0.1f, 3, 1);
        cheap.orderSeq = b.orderSeq;
        cart.setCartOrderArray({a, cheap});
        QCOMPARE(cart.orderConfirmAmount(), 12600.0f + 0.1f * 3.0f);

        cart.setCartOrderArray({});
        QVERIFY(cart.orderConfirmArray().isEmpty());
        QCOMPARE(cart.orderConfirmAmount(), 0.0f);
        QCOMPARE(cart.orderConfirmAmountText(), QStringLiteral("¥0.00"));
    }

    // nowOrderValue + added ≤ creditValue.
    void creditCheckEdges_data() { QVERIFY(zelktest::addFixtureRows("order/creditCheck")); }
    void creditCheckEdges()
    {
        QFETCH(QJsonObject, row);
        CustomerStruct customer;
        customer.setCreditValue(float(row["credit"].toDouble()));
        customer.setNowOrderValue(float(row["ordered"].toDouble()));
        QCOMPARE(CustomerCredit::canAddOrderValue(customer, float(row["added"].toDouble())), row["allowed"].toBool());
    }

    void rowPrompts_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<EditType>("editType");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<bool>("missing");
        QTest::newRow("choice") << QString() << EditType::choice << "請選擇" << true;
        QTest::newRow("enter") << QString() << EditType::enter << "請輸入" << true;
        QTest::newRow("optional") << QString() << EditType::enterOptional << "請輸入(選填)" << false;
        QTest::newRow("none") << QString() << EditType::none << QString() << false;
        QTest::newRow("chosen") << "台北倉" << EditType::choice << "台北倉" << false;
    }
    void rowPrompts()
    {
        QFETCH(QString, value);
        QFETCH(EditType, editType);
        QFETCH(QString, detail);
        QFETCH(bool, missing);
        const OrderTableStruct row{"a", "n", value, editType, nullptr};
        QCOMPARE(row.detailText(), detail);
        QCOMPARE(row.isMissing(), missing);
    }
};

ZELK_TEST(OrderRulesTest)
#include "OrderRulesTest.moc"
