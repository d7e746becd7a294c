// The input filters of the order entry: a quantity or price field that holds a valid text keeps one
// (only "0123456789.", at most one point, at most three decimals) whatever edit is accepted; an edit that
// leads to a valid text from allowed characters is accepted; deleting is always allowed; the length limit
// refuses exactly the insertions that make the text longer than the limit. Also TextEdit::between and
// appliedTo round-trip.
#include "FuzzCheck.h"

#include "order/NumericField.h"

#include <QRegularExpression>

namespace {

bool validNumeric(const QString &text)
{
    static const QRegularExpression valid(QStringLiteral("\\A[0-9]*(\\.[0-9]{0,3})?\\z"));
    return valid.match(text).hasMatch();
}

QString fuzzText(FuzzedDataProvider &in)
{
    // Mostly the field's own alphabet, sometimes anything.
    static const char alphabet[] = "0123456789..-,a 1";
    QString text;
    const int n = in.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < n && in.remaining_bytes() > 0; ++i) {
        const uint8_t b = in.ConsumeIntegral<uint8_t>();
        text += b < 224 ? QChar(QLatin1Char(alphabet[b % (sizeof alphabet - 1)])) : QChar(char16_t(0x4E00 + b));
    }
    return text;
}

} // namespace

void fuzzOne(FuzzedDataProvider &in)
{
    const QString current = fuzzText(in);
    TextEdit edit;
    edit.start = in.ConsumeIntegralInRange(-2, 16);
    edit.length = in.ConsumeIntegralInRange(-2, 16);
    edit.replacement = fuzzText(in);
    const int maxLength = in.ConsumeIntegralInRange(0, 14);
    const QString after = edit.appliedTo(current);

    // TextEdit: the edit between two texts turns the first into the second.
    FUZZ_CHECK_EQUAL(TextEdit::between(current, after).appliedTo(current), after);

    const bool numeric = numericFieldAccepts(current, edit);
    if (edit.replacement.isEmpty())
        FUZZ_CHECK(numeric);
    if (numeric && validNumeric(current))
        FUZZ_CHECK(validNumeric(after));
    const bool secondPoint = edit.replacement == QLatin1String(".") && current.contains(QLatin1Char('.'));
    if (validNumeric(after) && validNumeric(edit.replacement) && !secondPoint)
        FUZZ_CHECK(numeric);

    const bool length = lengthLimitAccepts(current, edit, maxLength);
    FUZZ_CHECK(length == (edit.replacement.isEmpty() || after.size() <= maxLength));
}
