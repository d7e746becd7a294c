#include "board/AddBoardMessageViewController.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Ui.h"

AddBoardMessageViewController::AddBoardMessageViewController(QObject *parent)
    : Screen(parent), m_photo(new ComposePhoto(this)), m_ownWrites(new PendingBoardWrite(this))
{
}

void AddBoardMessageViewController::setNewMessageText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    emit newMessageTextChanged();
}

void AddBoardMessageViewController::viewDidLoad()
{
    // Shown as written, like the button that opens this screen.
    setTitle(QStringLiteral("新增留言"));
    setLeftBarButtons({BarButton{localized(QT_TRANSLATE_NOOP("Zelk", "取消")), {}, QStringLiteral("closeButton"),
                                 [this] { closeAction(); }}});
    setRightBarButtons({BarButton{localized(QT_TRANSLATE_NOOP("Zelk", "送出")), {}, QStringLiteral("sendButton"),
                                  [this] { sendNewMessageAction(); }}});
}

void AddBoardMessageViewController::sendNewMessageAction()
{
    const QString text = m_text, boardId = m_boardId;
    m_photo->post(text, [this, text, boardId](const QString &photo, std::function<void()> finished) {
        const QString userId = context() ? context()->signedInUserId() : QString();
        // A new message lands on the board's first page.
        const PendingBoardWrite::Read firstPage{
            QStringLiteral("board ") + boardId, QStringLiteral("boardMsgList"),
            PendingBoardWrite::bound(this, [boardId](AppContext &ctx, ApiCompletion done) {
                ctx.operations().getBoardMsgList(boardId, QStringLiteral("0"), nullptr, std::move(done));
            })};
        writes()->post(userId, text, photo, firstPage,
                       PendingBoardWrite::bound(this, [boardId, userId, text, photo](AppContext &ctx, ApiCompletion done) {
                           ctx.operations().addBoardMsg(boardId, userId, text, photo, nullptr, std::move(done));
                       }),
                       PendingBoardWrite::guarded(this, [this, finished](PendingBoardWrite::Outcome outcome,
                                                                         const QString &message) {
                           finished();
                           showOutcome(outcome, message);
                       }));
    });
}

void AddBoardMessageViewController::showOutcome(PendingBoardWrite::Outcome outcome, const QString &message)
{
    Ui *u = ui();
    if (!u)
        return;
    Alert alert;
    alert.context = this;
    alert.title = PendingBoardWrite::postTitle(outcome);
    alert.message = PendingBoardWrite::postMessage(outcome, message);
    if (outcome == PendingBoardWrite::Outcome::done) {
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Default,
                        [this] { dismiss(true, [this] { emit posted(); }); });
    } else {
        // An earlier text turned out posted: the board shows it, this screen keeps the text as it now is.
        if (outcome == PendingBoardWrite::Outcome::doneEarlier)
            emit postedEarlier();
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")));
    }
    u->showAlert(alert);
}

void AddBoardMessageViewController::closeAction() { dismiss(true); }
