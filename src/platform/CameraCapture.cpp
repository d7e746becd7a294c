#include "platform/CameraCapture.h"

#include <QDir>
#include <QTimer>
#include <QUuid>

#include <QCamera>
#include <QCameraDevice>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>

namespace {
constexpr int kCaptureTimeoutMs = 15000;
}

bool CameraCapture::isAvailable()
{
    return !QMediaDevices::videoInputs().isEmpty();
}

void CameraCapture::capture(std::function<void(const QString &file)> done)
{
    if (isAvailable()) {
        // Everything of one capture lives under `session`, deleted once it has answered.
        auto *session = new QMediaCaptureSession(this);
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
        const QString path = QDir::temp().filePath(QStringLiteral("zelk-camera-%1.jpg")
                                                       .arg(QUuid::createUuid().toString(QUuid::Id128)));
        connect(imageCapture, &QImageCapture::readyForCaptureChanged, session, [imageCapture, path](bool ready) {
            if (ready)
                imageCapture->captureToFile(path);
        });
        connect(imageCapture, &QImageCapture::imageSaved, session,
                [finish](int, const QString &file) { finish(file); });
        connect(imageCapture, &QImageCapture::errorOccurred, session, [finish] { finish(QString()); });
        connect(camera, &QCamera::errorOccurred, session, [finish] { finish(QString()); });
        QTimer::singleShot(kCaptureTimeoutMs, session, [finish] { finish(QString()); });
        camera->start();
        return;
    }
    QTimer::singleShot(0, this, [done] {
        if (done)
            done(QString());
    });
}
