#include "order/NumericField.h"

bool numericFieldAccepts(const QString &current, const TextEdit &edit)
{
    if (edit.replacement.isEmpty())
        return true;
    if (edit.replacement == QLatin1String(".") && current.contains(QLatin1Char('.')))
        return false;
    const QString after = edit.appliedTo(current);
    const qsizetype point = after.indexOf(QLatin1Char('.'));
    if (point >= 0 && after.size() - point > 4)
        return false;
    // At most one point, also when a pasted text brings the second one.
    if (after.count(QLatin1Char('.')) > 1)
        return false;
    for (const QChar c : edit.replacement) {
        if (!QStringLiteral("0123456789.").contains(c))
            return false;
    }
    return true;
}

bool lengthLimitAccepts(const QString &current, const TextEdit &edit, int maxLength)
{
    if (edit.replacement.isEmpty())
        return true;
    return edit.appliedTo(current).size() <= maxLength;
}
