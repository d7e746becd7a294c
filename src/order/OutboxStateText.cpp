#include "order/OutboxStateText.h"

#include "text/Localizer.h"

namespace {
// A dark grey under the white texts of the row: not a result yet.
QColor pendingColor() { return QColor(97, 97, 97); }
} // namespace

OutboxStateText OutboxStateText::of(const OutboxLine &line)
{
    switch (line.state) {
    case OutboxLineState::waiting:
        return {localized(QStringLiteral("待送出")), localized(QStringLiteral("連線恢復後自動送出")), pendingColor()};
    case OutboxLineState::sending:
        return {localized(QStringLiteral("傳送中")), QString(), pendingColor()};
    case OutboxLineState::placed:
        return {localized(QStringLiteral("下單成功")), localized(QStringLiteral("訂單編號：")) + line.line.sapOrderNo,
                QColor::fromRgbF(0.26326287f, 0.506718f, 0.83805066f)};
    case OutboxLineState::refused:
        return {localized(QStringLiteral("下單失敗")), line.line.sapOrderError, QColor(236, 60, 26)};
    case OutboxLineState::unknown:
        break;
    }
    // Sent, and no answer came: sent again under the same identity, which the server places once.
    return {localized(QStringLiteral("確認中")), localized(QStringLiteral("已送出但未收到回覆，將再確認")), pendingColor()};
}
