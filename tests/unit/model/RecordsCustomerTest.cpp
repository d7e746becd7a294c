#include "TestRegistry.h"
#include "model/CustomerStruct.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

class RecordsCustomerTest : public QObject
{
    Q_OBJECT
private slots:
    void labelRefreshRules()
    {
        CustomerStruct context;
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        context.setCreditValue(std::numeric_limits<float>::infinity());
        QCOMPARE(context.creditText(), u"0.0"_s);

        // Registering writes the current text into every label.
        CreditLabel first, second;
        context.setCreditValue(5000);
        context.setCreditLabels({&first, &second});
        QCOMPARE(first.text(), u"¥5,000.00"_s);
        QCOMPARE(second.text(), u"¥5,000.00"_s);

        // A new non-negative credit reaches every label, zero included; a negative one leaves them as they are.
        QSignalSpy changed(&first, &CreditLabel::textChanged);
        context.setCreditValue(0);
        QCOMPARE(second.text(), u"¥0.00"_s);
        QCOMPARE(changed.count(), 1);
        context.setCreditValue(-12600);
        QCOMPARE(first.text(), u"¥0.00"_s);

        // Registering or appending afterwards writes the negative amount into all registered labels.
        CreditLabel third;
        context.setCreditLabels({&third, &first});
        QCOMPARE(third.text(), u"-¥12,600.00"_s);
        QCOMPARE(second.text(), u"¥0.00"_s); // no longer registered
        first.setText(u"stale"_s);
        context.appendCreditLabel(&second);
        QCOMPARE(second.text(), u"-¥12,600.00"_s);
        QCOMPARE(first.text(), u"-¥12,600.00"_s);

        // A destroyed label is skipped.
        auto gone = std::make_unique<CreditLabel>();
        context.setCreditLabels({gone.get(), &third});
        gone.reset();
        context.setCreditValue(300);
        QCOMPARE(third.text(), u"¥300.00"_s);
        QVERIFY(context.creditLabels().at(0).isNull());
    }

    void resetStartsOver()
    {
        CustomerStruct context;
        CreditLabel label;
        context.setCustomer(OrderCustomer{.kunnr = u"0000100234"_s, .name1 = u"甲"_s});
        context.setNowOrderValue(2500);
        context.setCreditValue(-50);
        context.setCreditLabels({&label});
        QCOMPARE(label.text(), u"-¥50.00"_s);

        QSignalSpy customerChanged(&context, &CustomerStruct::customerChanged);
        context.reset();
        QCOMPARE(context.creditValue(), 0.0f);
        QCOMPARE(context.nowOrderValue(), 0.0f);
        QCOMPARE(context.customer(), OrderCustomer());
        QCOMPARE(customerChanged.count(), 1);
        QVERIFY(context.creditLabels().isEmpty());
        // The zero credit of the reset reached the label before it was dropped.
        QCOMPARE(label.text(), u"¥0.00"_s);
        context.setCreditValue(700);
        QCOMPARE(label.text(), u"¥0.00"_s);
    }
};

ZELK_TEST(RecordsCustomerTest)
#include "RecordsCustomerTest.moc"
