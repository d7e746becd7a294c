#include "board/ComposePhoto.h"

#include "board/BoardPhoto.h"
#include "platform/PhotoFile.h"
#include "text/Localizer.h"
#include "ui/Screen.h"
#include "ui/Ui.h"

#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

ComposePhoto::ComposePhoto(Screen *screen) : QObject(screen), m_screen(screen) {}

QUrl ComposePhoto::previewSource() const
{
    if (m_encoded.isEmpty())
        return {};
    return QUrl(QStringLiteral("data:image/jpeg;base64,") + m_encoded);
}

void ComposePhoto::addPhotoAction()
{
    Ui *ui = m_screen->ui();
    if (!ui)
        return;
    Alert sheet;
    sheet.title = localized(QT_TRANSLATE_NOOP("Zelk", "選擇方式"));
    sheet.context = this;
    sheet.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "選擇照片")), AlertButton::Style::Default,
                    [this] { pick(int(PhotoSource::Library)); });
    if (ui->isPhotoSourceAvailable(PhotoSource::Camera))
        sheet.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "拍一張照片")), AlertButton::Style::Default,
                        [this] { pick(int(PhotoSource::Camera)); });
    sheet.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    ui->showActionSheet(sheet);
}

void ComposePhoto::pick(int source)
{
    Ui *ui = m_screen->ui();
    if (!ui)
        return;
    QPointer<ComposePhoto> self(this);
    ui->pickPhoto(
        PhotoSource(source),
        [self](const QImage &image) {
            if (self)
                self->setImage(image);
        },
        {}, // giving up keeps the photo chosen before
        [self](const QString &reason) {
            if (!self)
                return;
            Alert alert;
            alert.title = PhotoFile::refusalTitle();
            alert.message = reason;
            alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")));
            if (Ui *u = self->m_screen->ui())
                u->showAlert(alert);
        });
}

void ComposePhoto::setImage(const QImage &image)
{
    if (image.isNull())
        return;
    // A photo chosen while an earlier one is still being prepared replaces it: the earlier result is
    // dropped with its watcher.
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
    }
    m_hasPhoto = true;
    m_encoded.clear();
    m_aspect = qreal(image.height()) / image.width();
    emit changed();
    m_watcher = new QFutureWatcher<QPair<QString, qreal>>(this);
    auto *watcher = m_watcher;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        const auto result = watcher->result();
        watcher->deleteLater();
        m_watcher = nullptr;
        prepared(result.first, result.second);
    });
    watcher->setFuture(QtConcurrent::run([image] {
        const QImage scaled = BoardPhoto::scaledForSending(image);
        return qMakePair(BoardPhoto::encode(scaled), qreal(scaled.height()) / scaled.width());
    }));
}

void ComposePhoto::prepared(const QString &encoded, qreal aspect)
{
    m_encoded = encoded;
    m_aspect = aspect;
    emit changed();
    const auto waiting = std::exchange(m_waiting, {});
    for (const auto &send : waiting)
        send();
}

void ComposePhoto::cancelPhotoAction()
{
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
        m_watcher = nullptr;
    }
    m_hasPhoto = false;
    m_encoded.clear();
    m_aspect = 0;
    emit changed();
    // A send waiting for the removed photo goes without one.
    const auto waiting = std::exchange(m_waiting, {});
    for (const auto &send : waiting)
        send();
}

void ComposePhoto::whenReady(std::function<void()> run)
{
    if (m_watcher)
        m_waiting.append(std::move(run));
    else
        run();
}

void ComposePhoto::post(const QString &text, Send send)
{
    Ui *ui = m_screen->ui();
    if (!ui || m_posting)
        return; // a second tap while the first post is on its way
    if (text.isEmpty()) {
        Alert alert;
        alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "請輸入想說的話"));
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")));
        ui->showAlert(alert);
        return;
    }
    ui->endEditing();
    ui->showSpinner(this);
    m_posting = true;
    whenReady([this, send = std::move(send)] {
        send(m_encoded, [self = QPointer<ComposePhoto>(this)] {
            if (!self)
                return;
            self->m_posting = false;
            if (Ui *u = self->m_screen->ui())
                u->dismissSpinner();
        });
    });
}
