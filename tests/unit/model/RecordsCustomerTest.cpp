#include "TestRegistry.h"
#include "model/CustomerStruct.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class RecordsCustomerTest : public QObject
{
    Q_OBJECT
private slots:
    // The text views bind to follows every credit of 0 or more; a negative (or NaN) one leaves it, until
    // a screen showing the credit comes up.
    void creditTextRules()
    {
        CustomerStruct context;
        QSignalSpy changed(&context, &CustomerStruct::creditTextChanged);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        context.setCreditValue(std::numeric_limits<float>::infinity());
        QCOMPARE(context.creditText(), u"0.0"_s);
        context.setCreditValue(5000);
        QCOMPARE(context.creditText(), u"¥5,000.00"_s);
        context.setCreditValue(0);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        QCOMPARE(changed.count(), 3);
        context.setCreditValue(-12600);
        context.setCreditValue(std::numeric_limits<float>::quiet_NaN());
        context.setCreditValue(-12600);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        QCOMPARE(changed.count(), 3);
        context.showCreditText();
        QCOMPARE(context.creditText(), u"-¥12,600.00"_s);
        context.setCreditValue(300);
        QCOMPARE(context.creditText(), u"¥300.00"_s);
        QCOMPARE(changed.count(), 5);
    }

    void resetStartsOver()
    {
        CustomerStruct context;
        context.setCustomer(OrderCustomer{.kunnr = u"0000100234"_s, .name1 = u"甲"_s});
        context.setNowOrderValue(2500);
        context.setCreditValue(-50);
        context.showCreditText();
        QCOMPARE(context.creditText(), u"-¥50.00"_s);

        QSignalSpy customerChanged(&context, &CustomerStruct::customerChanged);
        context.reset();
        QCOMPARE(context.creditValue(), 0.0f);
        QCOMPARE(context.nowOrderValue(), 0.0f);
        QCOMPARE(context.customer(), OrderCustomer());
        QCOMPARE(customerChanged.count(), 1);
        QCOMPARE(context.creditText(), u"¥0.00"_s);
    }
};

ZELK_TEST(RecordsCustomerTest)
#include "RecordsCustomerTest.moc"
