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
    void creditTextFollowsValue()
    {
        CustomerStruct context;
        QCOMPARE(context.creditText(), u"¥0.00"_s);
        context.setCreditValue(12600);
        QCOMPARE(context.creditText(), u"¥12,600.00"_s);
        context.setCreditValue(-12600);
        QCOMPARE(context.creditText(), u"-¥12,600.00"_s);
        context.setCreditValue(std::numeric_limits<float>::infinity());
        QCOMPARE(context.creditText(), u"0.0"_s);
    }

    void labelRefreshRules()
    {
        CustomerStruct context;
        CreditLabel first;
        CreditLabel second;
        first.setText(u"before"_s);

        // Registering writes the current text into every label.
        context.setCreditValue(5000);
        QCOMPARE(first.text(), u"before"_s); // not registered yet
        context.setCreditLabels({&first, &second});
        QCOMPARE(first.text(), u"¥5,000.00"_s);
        QCOMPARE(second.text(), u"¥5,000.00"_s);

        // A new non-negative credit reaches every label, zero included.
        QSignalSpy changed(&first, &CreditLabel::textChanged);
        context.setCreditValue(0);
        QCOMPARE(first.text(), u"¥0.00"_s);
        QCOMPARE(second.text(), u"¥0.00"_s);
        QCOMPARE(changed.count(), 1);

        // A negative credit leaves the labels showing what they showed …
        context.setCreditValue(-12600);
        QCOMPARE(context.creditValue(), -12600.0f);
        QCOMPARE(first.text(), u"¥0.00"_s);
        QCOMPARE(second.text(), u"¥0.00"_s);

        // … but registering labels afterwards shows the negative amount.
        CreditLabel third;
        context.setCreditLabels({&third, &first});
        QCOMPARE(third.text(), u"-¥12,600.00"_s);
        QCOMPARE(first.text(), u"-¥12,600.00"_s);
        QCOMPARE(second.text(), u"¥0.00"_s); // no longer registered
        // Appending a label writes the negative amount into all registered labels, the new one included.
        first.setText(u"stale"_s);
        context.appendCreditLabel(&second);
        QCOMPARE(second.text(), u"-¥12,600.00"_s);
        QCOMPARE(first.text(), u"-¥12,600.00"_s);
        QCOMPARE(context.creditLabels().size(), 3);
        context.setCreditLabels({&third, &first});
        context.setCreditValue(100);
        QCOMPARE(second.text(), u"-¥12,600.00"_s); // dropped again
        QCOMPARE(third.text(), u"¥100.00"_s);

        // The cart value has no side effect on labels.
        context.setNowOrderValue(99);
        QCOMPARE(context.nowOrderValue(), 99.0f);
        QCOMPARE(third.text(), u"¥100.00"_s);
    }

    void destroyedLabelIsSkipped()
    {
        CustomerStruct context;
        auto gone = std::make_unique<CreditLabel>();
        CreditLabel kept;
        context.setCreditLabels({gone.get(), &kept});
        gone.reset();

        context.setCreditValue(300);
        QCOMPARE(kept.text(), u"¥300.00"_s);
        QCOMPARE(context.creditLabels().size(), 2);
        QVERIFY(context.creditLabels().at(0).isNull());

        context.setCreditLabels({nullptr, &kept});
        QCOMPARE(kept.text(), u"¥300.00"_s);
    }

    void resetStartsOver()
    {
        CustomerStruct context;
        CreditLabel label;
        OrderCustomer customer;
        customer.kunnr = u"0000100234"_s;
        context.setCustomer(customer);
        context.setCreditValue(8000);
        context.setNowOrderValue(2500);
        context.setCreditLabels({&label});
        QCOMPARE(context.customer().kunnr, u"0000100234"_s);

        QSignalSpy customerChanged(&context, &CustomerStruct::customerChanged);
        context.reset();
        QCOMPARE(context.creditValue(), 0.0f);
        QCOMPARE(context.nowOrderValue(), 0.0f);
        QCOMPARE(context.customer(), OrderCustomer());
        QCOMPARE(customerChanged.count(), 1);
        QVERIFY(context.creditLabels().isEmpty());
        // The credit change of the reset reached the label before it was dropped.
        QCOMPARE(label.text(), u"¥0.00"_s);
        context.setCreditValue(700);
        QCOMPARE(label.text(), u"¥0.00"_s);

        // Reset from a negative credit: the zero credit it sets is written into the labels.
        CreditLabel negative;
        context.setCreditValue(-50);
        context.setCreditLabels({&negative});
        QCOMPARE(negative.text(), u"-¥50.00"_s);
        context.reset();
        QCOMPARE(negative.text(), u"¥0.00"_s);
    }
};

ZELK_TEST(RecordsCustomerTest)
#include "RecordsCustomerTest.moc"
