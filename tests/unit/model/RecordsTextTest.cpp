#include "TestRegistry.h"
#include "model/NumberText.h"

#include <QTest>

#include <cmath>
#include <limits>

class RecordsTextTest : public QObject
{
    Q_OBJECT
private slots:
    // The shortest text that reads back to the same float, ".0" on whole numbers, plain up to 2^24.
    void numberTexts_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        const std::pair<float, const char *> rows[] = {
            {12.0f, "12.0"}, {1250.5f, "1250.5"}, {0.1f, "0.1"}, {-3.0f, "-3.0"}, {-0.25f, "-0.25"}, {0.0f, "0.0"},
            {-0.0f, "0.0"}, {1.1f, "1.1"}, {0.1f * 3.0f, "0.3"}, {20.0f * 1250.0f, "25000.0"},
            {16777216.0f, "16777216.0"}, {33554432.0f, "3.3554432e+07"}, {1e16f, "1e+16"}, {0.0001f, "0.0001"},
            {0.00001f, "1e-05"}, {std::numeric_limits<float>::infinity(), "inf"}};
        for (const auto &[value, text] : rows)
            QTest::newRow(qPrintable(QString::number(value, 'g', 9))) << value << QString::fromLatin1(text);
    }
    void numberTexts()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(numberText(value), text);
        if (std::isfinite(value))
            QCOMPARE(text.toFloat(), value);
    }

    // Currency style of zh_Hans_CN, two decimals rounded from the exact binary value, a leading minus.
    void moneyTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const std::pair<double, const char *> rows[] = {
            {12600, "¥12,600.00"}, {-12600, "-¥12,600.00"}, {0, "¥0.00"}, {999.999, "¥1,000.00"},
            {1234567.891, "¥1,234,567.89"}, {-1234567890.5, "-¥1,234,567,890.50"}, {1e15, "¥1,000,000,000,000,000.00"},
            {0.125, "¥0.12"}, {1.005, "¥1.00"}, {2.675, "¥2.67"}, {0.126, "¥0.13"}, {double(1250.5f * 3.0f), "¥3,751.50"},
            {-0.004, "¥0.00"}, {-0.005, "-¥0.01"}, {std::nan(""), ""}, {std::numeric_limits<double>::infinity(), ""}};
        for (const auto &[value, text] : rows)
            QTest::newRow(qPrintable(QString::number(value, 'g', 17))) << value << QString::fromUtf8(text);
    }
    void moneyTexts()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(moneyText(value), text);
    }
};

ZELK_TEST(RecordsTextTest)
#include "RecordsTextTest.moc"
