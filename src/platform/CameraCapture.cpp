#include "platform/CameraCapture.h"

#include "platform/MediaBackend.h"

#include <QDir>
#include <QTimer>
#include <QUuid>

bool CameraCapture::isAvailable()
{
    MediaBackend *media = MediaBackend::instance();
    return media && media->hasCamera();
}

void CameraCapture::capture(std::function<void(const QString &file)> done)
{
    if (isAvailable()) {
        const QString path = QDir::temp().filePath(QStringLiteral("zelk-camera-%1.jpg")
                                                       .arg(QUuid::createUuid().toString(QUuid::Id128)));
        MediaBackend::instance()->capture(this, path, std::move(done));
        return;
    }
    QTimer::singleShot(0, this, [done] {
        if (done)
            done(QString());
    });
}
