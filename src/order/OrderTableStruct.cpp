#include "order/OrderTableStruct.h"

#include "text/Localizer.h"

QString OrderTableStruct::detailText() const
{
    if (!subTitle.isEmpty())
        return subTitle;
    switch (editType) {
    case EditType::none:
        return QString();
    case EditType::choice:
        return localized(QT_TRANSLATE_NOOP("Zelk", "請選擇"));
    case EditType::enter:
        return localized(QT_TRANSLATE_NOOP("Zelk", "請輸入"));
    case EditType::enterOptional:
        return localized(QT_TRANSLATE_NOOP("Zelk", "請輸入(選填)"));
    }
    return QString();
}
