// The rules under the order screens: the numeric field rule, whole-text number reading, the cart's
// total, and the credit check.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "model/AppContext.h"
#include "model/CartState.h"
#include "order/CustomerCredit.h"
#include "order/NumericField.h"

#include <QJsonArray>
#include <QTest>

namespace {

// Types `typed` character by character into a field holding `text`; returns the text the field ends with.
QString typeInto(QString text, const QString &typed)
{
    for (const QChar c : typed) {
        const TextEdit edit{int(text.size()), 0, QString(c)};
        if (numericFieldAccepts(text, edit))
            text = edit.appliedTo(text);
    }
    return text;
}

} // namespace

class OrderRulesTest : public QObject
{
    Q_OBJECT
private slots:
    // The numeric field as typed (character by character) and pasted (judged as a whole), and the length
    // limit of the text fields.
    void fieldRules_data() { QVERIFY(zelktest::addFixtureRows("order/fieldRules")); }
    void fieldRules()
    {
        QFETCH(QJsonObject, row);
        const QString field = row["field"].toString();
        if (row.contains("typed")) {
            QCOMPARE(typeInto(field, row["typed"].toString()), row["result"].toString());
            return;
        }
        const QJsonArray e = row["edit"].toArray();
        const TextEdit edit{e[0].toInt(), e[1].toInt(), e[2].toString()};
        const bool accepted = row.contains("limit") ? lengthLimitAccepts(field, edit, row["limit"].toInt())
                                                    : numericFieldAccepts(field, edit);
        QCOMPARE(accepted, row["accepted"].toBool());
    }

    // A number is the whole text or nothing (null: refused).
    void wholeTextNumbers_data() { QVERIFY(zelktest::addFixtureRows("order/wholeTextNumbers")); }
    void wholeTextNumbers()
    {
        QFETCH(QJsonObject, row);
        const std::optional<float> value = CartState::wholeFloat(row["text"].toString());
        QCOMPARE(value.has_value(), !row["value"].isNull());
        if (value)
            QCOMPARE(*value, float(row["value"].toDouble()));
    }

    // The cart's lines are the authority: a line set again under its identity counts at its new price (the
    // lines and total derived from a cart: the flows' cart rows and submissions).
    void cartTotalFollowsALineReplacedUnderItsIdentity()
    {
        CartState cart([] { return QStringLiteral("陳志明"); });
        const Order a = sampleLine(QStringLiteral("10000101"), 350, 12, 3);
        Order b = sampleLine(QStringLiteral("10000101"), 1250.5f, 2, 1);
        cart.setCartOrderArray({a, b});
        QCOMPARE(cart.orderConfirmAmount(), 12600.0f + 2501.0f);
        b.orderItem.price = 0.1f;
        cart.setCartOrderArray({a, b});
        QCOMPARE(cart.orderConfirmAmount(), 12600.0f + 0.1f * 2.0f);
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
};

ZELK_TEST(OrderRulesTest)
#include "OrderRulesTest.moc"
