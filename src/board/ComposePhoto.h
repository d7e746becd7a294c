#pragma once
// The one photo of a post being written (the composer's, or the reply screen's compose area): chosen
// through the "選擇方式" sheet, previewed, removed. As soon as a photo is chosen it is scaled and encoded
// for sending on a worker thread, so that neither the preview nor the send ever waits on the main thread.
#include <QtQml/qqmlregistration.h>
#include <QFutureWatcher>
#include <QImage>
#include <QList>
#include <QObject>
#include <QUrl>

#include <functional>

class Screen;

class ComposePhoto : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by its screen")
    Q_PROPERTY(bool hasPhoto READ hasPhoto NOTIFY changed)
    // The photo as it will be sent (a data: address), empty while the photo is being prepared or none.
    Q_PROPERTY(QUrl previewSource READ previewSource NOTIFY changed)
    // Height ÷ width of the chosen photo (0 without one), so the preview keeps its place while it loads.
    Q_PROPERTY(qreal aspect READ aspect NOTIFY changed)

public:
    explicit ComposePhoto(Screen *screen);

    bool hasPhoto() const { return m_hasPhoto; }
    QUrl previewSource() const;
    qreal aspect() const { return m_aspect; }
    bool isPreparing() const { return m_watcher != nullptr; }

    // "選擇方式": "選擇照片", "拍一張照片" (only where there is a camera), "取消". A refused file shows an
    // alert with the reason; giving up keeps the photo chosen before.
    Q_INVOKABLE void addPhotoAction();
    // Removes the photo.
    Q_INVOKABLE void cancelPhotoAction();
    // Takes `image` as the photo (what a picker returns).
    void setImage(const QImage &image);

    // Posts `text` with this photo, one post at a time: an empty text asks "請輸入想說的話" and sends
    // nothing; otherwise editing ends, the spinner shows and, once the photo is ready, `send` gets the
    // "postPhoto" text (empty without a photo) and `finished`, to call once the post has an outcome: the
    // spinner then goes. Nothing runs once the screen has gone.
    using Send = std::function<void(const QString &photo, std::function<void()> finished)>;
    void post(const QString &text, Send send);
    bool isPosting() const { return m_posting; }

signals:
    void changed();

private:
    void pick(int source);
    void prepared(const QString &encoded, qreal aspect);
    // `run` once the photo is ready (at once when none is being prepared).
    void whenReady(std::function<void()> run);

    Screen *m_screen;
    bool m_hasPhoto = false;
    QString m_encoded;
    qreal m_aspect = 0;
    QFutureWatcher<QPair<QString, qreal>> *m_watcher = nullptr;
    QList<std::function<void()>> m_waiting;
    bool m_posting = false;
};
