#include "model/NumberText.h"

#include <charconv>
#include <cmath>

QString numberText(float value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    if (value == 0.0f)
        return QStringLiteral("0.0");

    char buffer[64];
    const float magnitude = std::fabs(value);
    // std::to_chars on its own picks whichever notation is shorter, which writes 100000 as "1e+05";
    // the shortest round-trip digits are kept, but the notation follows the magnitude.
    const bool plain = magnitude >= 1e-4f && magnitude <= 16777216.0f;
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      plain ? std::chars_format::fixed : std::chars_format::scientific);
    QString text = QString::fromLatin1(buffer, int(result.ptr - buffer));
    if (plain && !text.contains(QLatin1Char('.')))
        text += QLatin1String(".0");
    return text;
}

QString moneyText(double amount)
{
    if (!std::isfinite(amount))
        return {};
    char buffer[400];
    // Two decimals, correctly rounded (ties to even) from the exact binary value.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(amount),
                                      std::chars_format::fixed, 2);
    const QString digits = QString::fromLatin1(buffer, int(result.ptr - buffer));
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    const QString whole = digits.left(point);

    QString grouped;
    grouped.reserve(whole.size() + whole.size() / 3);
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += whole.at(i);
    }

    const bool roundsToZero = digits == QLatin1String("0.00");
    const QString sign = amount < 0 && !roundsToZero ? QStringLiteral("-") : QString();
    return sign + QChar(0x00A5) + grouped + digits.mid(point);
}
