// Number and money texts against references: numberText reads back to the same float with the shortest
// digits and the documented notation; moneyText equals the C library's exactly rounded "%.2f" of the
// amount, grouped by thousands, with the yuan sign and a minus only for negatives that do not round to zero.
#include "FuzzCheck.h"

#include "model/NumberText.h"

#include <QRegularExpression>

#include <cmath>
#include <cstring>

namespace {

// Significant digits of a decimal text (sign, point, exponent, leading and trailing zeros left out).
int significantDigits(QString text)
{
    static const QRegularExpression notSignificant(QStringLiteral("e.*|[^0-9]"));
    static const QRegularExpression outerZeros(QStringLiteral("^0+|0+$"));
    return int(text.remove(notSignificant).remove(outerZeros).size());
}

// The fewest significant digits with which some decimal text reads back to `value`. For each precision
// the nearest decimal and its two neighbours are tried: next to a power of two the interval that reads
// back to the value is narrower below than above, so the nearest decimal may miss while the next one up
// hits.
int shortestDigits(float value)
{
    char buffer[64];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, double(std::fabs(value)));
        char *exponent = std::strchr(buffer, 'e');
        const int power = std::atoi(exponent + 1) - (precision - 1);
        *exponent = '\0'; // the digits "d.ddd" as a whole number
        const long long mantissa = std::llround(std::strtod(buffer, nullptr) * std::pow(10.0, precision - 1));
        for (long long candidate = mantissa - 1; candidate <= mantissa + 1; ++candidate) {
            char text[64];
            std::snprintf(text, sizeof text, "%llde%d", candidate, power);
            if (candidate > 0 && std::strtof(text, nullptr) == std::fabs(value))
                return precision;
        }
    }
    return 9;
}

void checkNumber(float value)
{
    const QString text = numberText(value);
    if (std::isnan(value) || std::isinf(value) || value == 0.0f) {
        const char *special = std::isnan(value) ? "nan" : value == 0.0f ? "0.0" : value < 0 ? "-inf" : "inf";
        FUZZ_CHECK_EQUAL(text, QString::fromLatin1(special));
        return;
    }
    const QByteArray latin = text.toLatin1();
    FUZZ_CHECK(std::strtof(latin.constData(), nullptr) == value);
    const float magnitude = std::fabs(value);
    static const QRegularExpression plain(QStringLiteral("\\A-?[0-9]+\\.[0-9]+\\z"));
    static const QRegularExpression scientific(QStringLiteral("\\A-?[1-9](\\.[0-9]+)?e[+-][0-9]{2,}\\z"));
    if (magnitude >= 1e-4f && magnitude <= 16777216.0f)
        FUZZ_CHECK(plain.match(text).hasMatch());
    else
        FUZZ_CHECK(scientific.match(text).hasMatch());
    FUZZ_CHECK(text.startsWith(QLatin1Char('-')) == (value < 0));
    FUZZ_CHECK(significantDigits(text) == shortestDigits(value));
}

void checkMoney(double amount)
{
    const QString text = moneyText(amount);
    if (!std::isfinite(amount)) {
        FUZZ_CHECK(text.isEmpty());
        return;
    }
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.2f", std::fabs(amount));
    const QString digits = QString::fromLatin1(buffer);
    // A comma after every digit followed by a multiple of three digits up to the point.
    static const QRegularExpression thousands(QStringLiteral("([0-9])(?=([0-9]{3})+\\.)"));
    const QString grouped = QString(digits).replace(thousands, QStringLiteral("\\1,"));
    const bool negative = amount < 0 && digits != QLatin1String("0.00");
    FUZZ_CHECK_EQUAL(text, (negative ? QStringLiteral("-") : QString()) + QChar(0x00A5) + grouped);
}

} // namespace

void fuzzOne(FuzzedDataProvider &in)
{
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    if (bytes.size() >= sizeof(float)) {
        float value;
        std::memcpy(&value, bytes.data(), sizeof value);
        checkNumber(value);
    }
    if (bytes.size() >= sizeof(double)) {
        double amount;
        std::memcpy(&amount, bytes.data(), sizeof amount);
        checkMoney(amount);
        // Everyday amounts (cents and ties such as 0.125) are rare among random bit patterns.
        int64_t thousandths;
        std::memcpy(&thousandths, bytes.data(), sizeof thousandths);
        checkMoney(double(thousandths % 100000000000) / 1000.0);
    }
}
