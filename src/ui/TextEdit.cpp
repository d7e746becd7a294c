#include "ui/TextEdit.h"

#include <algorithm>

TextEdit TextEdit::between(const QString &before, const QString &after)
{
    const int maxCommon = int(std::min(before.size(), after.size()));
    int prefix = 0;
    while (prefix < maxCommon && before[prefix] == after[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < maxCommon - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    TextEdit edit;
    edit.start = prefix;
    edit.length = int(before.size()) - prefix - suffix;
    edit.replacement = after.mid(prefix, after.size() - prefix - suffix);
    return edit;
}

QString TextEdit::appliedTo(const QString &text) const
{
    const int from = std::clamp(start, 0, int(text.size()));
    const int count = std::clamp(length, 0, int(text.size()) - from);
    QString result = text;
    result.replace(from, count, replacement);
    return result;
}
