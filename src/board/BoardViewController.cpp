#include "board/BoardViewController.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Ui.h"

Q_LOGGING_CATEGORY(lcBoard, "zelk.board", QtWarningMsg)

BoardViewController::BoardViewController(QObject *parent)
    : Screen(parent),
      m_messages(BoardCell::roles([this](const QJsonObject &m) { return BoardCell::photoHeight(m, m_collectionWidth); },
                                  [this](const QJsonObject &m) { return isOwn(m); })),
      m_photo(new ComposePhoto(this)),
      m_ownWrites(new PendingBoardWrite(this))
{
}

QList<QJsonObject> BoardViewController::objects(const QJsonArray &array)
{
    QList<QJsonObject> list;
    list.reserve(array.size());
    for (const QJsonValue &value : array)
        list.append(value.toObject());
    return list;
}

QJsonArray BoardViewController::collectionViewArray() const
{
    QJsonArray array;
    for (const QJsonObject &message : m_messages.rows())
        array.append(message);
    return array;
}

void BoardViewController::setCollectionViewArray(const QJsonArray &messages)
{
    m_messages.setRows(objects(messages));
}

void BoardViewController::setCollectionWidth(qreal width)
{
    if (qFuzzyCompare(m_collectionWidth, width) || width <= 0)
        return;
    m_collectionWidth = width;
    emit collectionWidthChanged();
    computeCellSizes();
}

void BoardViewController::setNewMessageText(const QString &text)
{
    if (m_newMessageText == text)
        return;
    m_newMessageText = text;
    emit newMessageTextChanged();
}

void BoardViewController::viewDidLoad() { setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "留言板"))); }

void BoardViewController::computeCellSizes() { m_messages.refresh(); }

QString BoardViewController::userId() const
{
    AppContext *ctx = context();
    return ctx ? ctx->signedInUserId() : QString();
}

bool BoardViewController::isOwn(const QJsonObject &record) const
{
    AppContext *ctx = context();
    return ctx && BoardCell::isOwn(record, ctx->userId());
}

void BoardViewController::deleteOwnRecord(RowListModel<QJsonObject> &model, int row, PendingBoardWrite::Read read,
                                          DeleteCall call)
{
    Ui *ui = this->ui();
    if (!ui || row < 0 || row >= model.size())
        return;
    const QJsonObject record = model.at(row);
    const QString msgId = record.value(QLatin1String("msgID")).toString();
    if (msgId.isEmpty() || !isOwn(record))
        return;
    RowListModel<QJsonObject> *list = &model;
    Alert sheet;
    sheet.title = localized(QT_TRANSLATE_NOOP("Zelk", "刪除留言"));
    sheet.context = this;
    sheet.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    sheet.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "刪除")), AlertButton::Style::Destructive, [this, list, msgId, read, call] {
        Ui *ui = this->ui();
        if (!ui)
            return;
        ui->showSpinner(this);
        const auto send = PendingBoardWrite::bound(this, [msgId, call](AppContext &ctx, ApiCompletion done) {
            call(ctx, msgId, std::move(done));
        });
        writes()->remove(msgId, read, send, PendingBoardWrite::guarded(this, [this, list, msgId](PendingBoardWrite::Outcome outcome,
                                                                                                  const QString &message) {
            Ui *ui = this->ui();
            if (!ui)
                return;
            ui->dismissSpinner();
            Alert alert;
            alert.message = message;
            alert.context = this;
            if (outcome == PendingBoardWrite::Outcome::done) {
                alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "已刪除留言"));
                alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Default, [this, list, msgId] {
                    for (int i = 0; i < list->size(); ++i) {
                        if (list->at(i).value(QLatin1String("msgID")).toString() == msgId) {
                            list->removeAt(i);
                            recordRemoved();
                            return;
                        }
                    }
                });
            } else {
                alert.title = localized(outcome == PendingBoardWrite::Outcome::unchecked ? QT_TRANSLATE_NOOP("Zelk", "無法確認是否已刪除")
                                                                                          : QT_TRANSLATE_NOOP("Zelk", "無法刪除"));
                alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")));
            }
            ui->showAlert(alert);
        }));
    });
    ui->showActionSheet(sheet);
}
