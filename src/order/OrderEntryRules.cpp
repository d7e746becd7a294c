#include "order/OrderEntryRules.h"

#include "text/Localizer.h"

#include <algorithm>

QString quantityRefusal(float quantity, double maximum)
{
    if (!(quantity > 0))
        return localized(QT_TRANSLATE_NOOP("Zelk", "請輸入下單數量"));
    if (quantity > float(maximum))
        return localized(QT_TRANSLATE_NOOP("Zelk", "下單數量超過上限"));
    return QString();
}

Picker copiesPicker(QObject *context, int pages, std::function<void(int pages)> chosen)
{
    Picker picker;
    picker.context = context;
    picker.title = localized(QT_TRANSLATE_NOOP("Zelk", "選擇複製份數"));
    for (int i = 1; i <= 30; ++i)
        picker.rows << QString::number(i);
    picker.initialRow = std::clamp(pages - 1, 0, 29);
    picker.done = [chosen = std::move(chosen)](int row) {
        if (row >= 0 && row < 30)
            chosen(row + 1);
    };
    return picker;
}

Alert leaveOrderAlert(QObject *context, std::function<void()> leave)
{
    Alert alert;
    alert.context = context;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "離開下單"));
    alert.message = localized(QT_TRANSLATE_NOOP("Zelk", "離開後將會清空您購物車的內容，請確認。"));
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "離開")), AlertButton::Style::Default, std::move(leave));
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    return alert;
}
