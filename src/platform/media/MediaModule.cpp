// The zelkmedia module: MediaBackend over Qt Multimedia, loaded by the app on first use.
#include "platform/MediaBackend.h"

#include <QCamera>
#include <QAudioDevice>
#include <QCameraDevice>
#include <QHash>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>

#include <memory>

namespace {
constexpr int kCaptureTimeoutMs = 15000;

// The module's root object (made by Qt's plugin loader).
class MultimediaBackend final : public QObject, public MediaBackend
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZelkMediaBackend_iid)
    Q_INTERFACES(MediaBackend)

public:
    bool hasAudioOutput() override { return !QMediaDevices::audioOutputs().isEmpty(); }

    void playSound(QObject *owner, const QUrl &source, float volume) override
    {
        QPointer<QSoundEffect> &effect = m_effects[source];
        if (!effect) {
            effect = new QSoundEffect(owner);
            effect->setSource(source);
            effect->setVolume(volume);
        }
        effect->play();
    }

    bool hasCamera() override { return !QMediaDevices::videoInputs().isEmpty(); }

    void capture(QObject *owner, const QString &path, std::function<void(const QString &)> done) override
    {
        // Everything of one capture lives under `session`, deleted once it has answered.
        auto *session = new QMediaCaptureSession(owner);
        auto *camera = new QCamera(QMediaDevices::defaultVideoInput(), session);
        auto *imageCapture = new QImageCapture(session);
        session->setCamera(camera);
        session->setImageCapture(imageCapture);
        auto answered = std::make_shared<bool>(false);
        auto finish = [session, camera, answered, done](const QString &file) {
            if (*answered)
                return;
            *answered = true;
            camera->stop();
            session->deleteLater();
            if (done)
                done(file);
        };
        QObject::connect(imageCapture, &QImageCapture::readyForCaptureChanged, session,
                         [imageCapture, path](bool ready) {
            if (ready)
                imageCapture->captureToFile(path);
        });
        QObject::connect(imageCapture, &QImageCapture::imageSaved, session,
                         [finish](int, const QString &file) { finish(file); });
        QObject::connect(imageCapture, &QImageCapture::errorOccurred, session, [finish] { finish(QString()); });
        QObject::connect(camera, &QCamera::errorOccurred, session, [finish] { finish(QString()); });
        QTimer::singleShot(kCaptureTimeoutMs, session, [finish] { finish(QString()); });
        camera->start();
    }

private:
    QHash<QUrl, QPointer<QSoundEffect>> m_effects;
};
} // namespace

#include "MediaModule.moc"
