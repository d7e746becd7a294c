#include "ui/ResumeOffer.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Screen.h"
#include "ui/Ui.h"

#include <QPointer>

namespace ResumeOffer {

bool due(Screen *screen)
{
    AppContext *ctx = screen ? screen->context() : nullptr;
    return ctx && ctx->draft().resumable();
}

void show(Screen *screen, std::function<void()> resume, std::function<void()> orderQuery)
{
    Ui *ui = screen ? screen->ui() : nullptr;
    if (!ui)
        return;
    const QPointer<Screen> guard(screen);
    const auto discard = [guard] {
        if (AppContext *ctx = guard ? guard->context() : nullptr)
            ctx->draft().discard();
    };
    Alert offer;
    offer.context = screen;
    offer.title = localized(QT_TRANSLATE_NOOP("Zelk", "未完成的訂單"));
    offer.message = localized(QT_TRANSLATE_NOOP("Zelk", "您有一筆尚未完成的訂單，要繼續嗎？"));
    offer.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "繼續")), AlertButton::Style::Default, resume);
    offer.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "捨棄")), AlertButton::Style::Destructive,
                    [guard, ui, discard, resume, orderQuery] {
                        AppContext *ctx = guard ? guard->context() : nullptr;
                        if (!ctx || !ctx->draft().holdsLinesOfUnknownFate()) {
                            discard();
                            return;
                        }
                        Alert ask;
                        ask.context = guard.data();
                        ask.title = localized(QT_TRANSLATE_NOOP("Zelk", "訂單可能已送出"));
                        ask.message = localized(QT_TRANSLATE_NOOP("Zelk",
                            "部分品項已送出但未收到結果，可能已經下單。捨棄前請先到訂單查詢確認。"));
                        ask.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "訂單查詢")), AlertButton::Style::Default, orderQuery);
                        ask.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "仍要捨棄")), AlertButton::Style::Destructive, discard);
                        ask.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel,
                                      [guard, resume, orderQuery] { show(guard, resume, orderQuery); });
                        ui->showAlert(ask);
                    });
    ui->showAlert(offer);
}

} // namespace ResumeOffer
