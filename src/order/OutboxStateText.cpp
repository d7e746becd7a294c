#include "order/OutboxStateText.h"

#include "text/Localizer.h"
#include "ui/Colors.h"

OutboxStateText OutboxStateText::of(const OutboxLine &line)
{
    switch (line.state) {
    case OutboxLineState::waiting:
        return {localized(QT_TRANSLATE_NOOP("Zelk", "待送出")), localized(QT_TRANSLATE_NOOP("Zelk", "連線恢復後自動送出")), Colors::pending()};
    case OutboxLineState::sending:
        return {localized(QT_TRANSLATE_NOOP("Zelk", "傳送中")), QString(), Colors::pending()};
    case OutboxLineState::placed:
        return {localized(QT_TRANSLATE_NOOP("Zelk", "下單成功")), localized(QT_TRANSLATE_NOOP("Zelk", "訂單編號：")) + line.line.sapOrderNo,
                Colors::placed()};
    case OutboxLineState::refused:
        return {localized(QT_TRANSLATE_NOOP("Zelk", "下單失敗")), line.line.sapOrderError, Colors::refused()};
    case OutboxLineState::unknown:
        break;
    }
    // Sent, and no answer came: sent again under the same identity, which the server places once.
    return {localized(QT_TRANSLATE_NOOP("Zelk", "確認中")), localized(QT_TRANSLATE_NOOP("Zelk", "已送出但未收到回覆，將再確認")), Colors::pending()};
}
