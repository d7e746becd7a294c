#include "TestRegistry.h"
#include "model/NumberText.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class RecordsTextTest : public QObject
{
    Q_OBJECT
private slots:
    void numberTexts()
    {
        QCOMPARE(numberText(12.0f), u"12.0"_s);
        QCOMPARE(numberText(1250.5f), u"1250.5"_s);
        QCOMPARE(numberText(0.1f), u"0.1"_s);
        QCOMPARE(numberText(850.5f), u"850.5"_s);
        QCOMPARE(numberText(-3.0f), u"-3.0"_s);
        QCOMPARE(numberText(-0.25f), u"-0.25"_s);
        QCOMPARE(numberText(0.0f), u"0.0"_s);
        QCOMPARE(numberText(-0.0f), u"0.0"_s);
        QCOMPARE(numberText(1e16f), u"1e+16"_s);
        // Shortest text that reads back to the same float, not the double's digits.
        QCOMPARE(numberText(1.1f), u"1.1"_s);
        QCOMPARE(numberText(0.1f * 3.0f), u"0.3"_s);
        QCOMPARE(numberText(20.0f * 1250.0f), u"25000.0"_s);
        // Large everyday values stay in plain notation up to 2^24 …
        QCOMPARE(numberText(100000.0f), u"100000.0"_s);
        QCOMPARE(numberText(10000000.0f), u"10000000.0"_s);
        QCOMPARE(numberText(16777216.0f), u"16777216.0"_s);
        // … and switch to an exponent beyond it, or below 0.0001.
        QCOMPARE(numberText(33554432.0f), u"3.3554432e+07"_s);
        QCOMPARE(numberText(1e20f), u"1e+20"_s);
        QCOMPARE(numberText(0.0001f), u"0.0001"_s);
        QCOMPARE(numberText(0.00001f), u"1e-05"_s);
        QCOMPARE(numberText(std::numeric_limits<float>::infinity()), u"inf"_s);

        // Every text reads back to the very same float.
        for (float v : {0.1f, 0.7f, 1250.5f, 12345.678f, 3.4e38f, 1e-30f, 16777215.0f, 0.3333333f}) {
            bool ok = false;
            QCOMPARE(numberText(v).toFloat(&ok), v);
            QVERIFY(ok);
        }
    }

    void moneyTexts()
    {
        QCOMPARE(moneyText(12600), u"¥12,600.00"_s);
        QCOMPARE(moneyText(-12600), u"-¥12,600.00"_s);
        QCOMPARE(moneyText(0), u"¥0.00"_s);
        QCOMPARE(moneyText(999.999), u"¥1,000.00"_s);
        QCOMPARE(moneyText(1234), u"¥1,234.00"_s);
        QCOMPARE(moneyText(123456), u"¥123,456.00"_s);
        QCOMPARE(moneyText(1234567.891), u"¥1,234,567.89"_s);
        QCOMPARE(moneyText(-1234567890.5), u"-¥1,234,567,890.50"_s);
        QCOMPARE(moneyText(1e15), u"¥1,000,000,000,000,000.00"_s);
        // Rounding to cents from the exact binary value: 0.125 is a true tie (to even), 1.005 lies below.
        QCOMPARE(moneyText(0.125), u"¥0.12"_s);
        QCOMPARE(moneyText(1.005), u"¥1.00"_s);
        QCOMPARE(moneyText(2.675), u"¥2.67"_s);
        QCOMPARE(moneyText(0.126), u"¥0.13"_s);
        QCOMPARE(moneyText(850.5), u"¥850.50"_s);
        // A float credit figure is shown by its own value.
        QCOMPARE(moneyText(double(1250.5f * 3.0f)), u"¥3,751.50"_s);
        // A tiny negative amount that rounds to zero shows no minus.
        QCOMPARE(moneyText(-0.004), u"¥0.00"_s);
        QCOMPARE(moneyText(-0.005), u"-¥0.01"_s);
        // Nothing to format.
        QCOMPARE(moneyText(std::nan("")), QString());
        QCOMPARE(moneyText(std::numeric_limits<double>::infinity()), QString());
    }
};

ZELK_TEST(RecordsTextTest)
#include "RecordsTextTest.moc"
