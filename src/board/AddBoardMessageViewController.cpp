#include "board/AddBoardMessageViewController.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Ui.h"

AddBoardMessageViewController::AddBoardMessageViewController(QObject *parent)
    : Screen(parent), m_photo(new ComposePhoto(this))
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
    setLeftBarButtons({BarButton{localized(QStringLiteral("取消")), {}, QStringLiteral("closeButton"),
                                 [this] { closeAction(); }}});
    setRightBarButtons({BarButton{localized(QStringLiteral("送出")), {}, QStringLiteral("sendButton"),
                                  [this] { sendNewMessageAction(); }}});
}

void AddBoardMessageViewController::sendNewMessageAction()
{
    const QString text = m_text;
    m_photo->post(
        text,
        [this, text](const QString &encoded, ApiCompletion finished) {
            if (AppContext *ctx = context())
                ctx->operations().addBoardMsg(m_boardId, ctx->userId().value_or(QString()), text, encoded, this,
                                              std::move(finished));
            else
                finished(ApiStatus::clientFailure(QString()));
        },
        [this](const ApiStatus &status) {
            Ui *u = ui();
            if (!u)
                return;
            Alert alert;
            alert.context = this;
            if (status.isSuccess && status.returnJson) {
                alert.title = localized(QStringLiteral("新增成功"));
                alert.addButton(localized(QStringLiteral("確定")), AlertButton::Style::Default,
                                [this] { dismiss(true, [this] { emit posted(); }); });
            } else {
                alert.title = localized(QStringLiteral("新增失敗"));
                alert.message = status.message;
                alert.addButton(localized(QStringLiteral("確定")));
            }
            u->showAlert(alert);
        });
}

void AddBoardMessageViewController::closeAction() { dismiss(true); }
