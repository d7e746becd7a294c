#pragma once
// The platform camera through Qt Multimedia (its module loaded on first use): one photo from the default camera, saved as a JPEG file.
// Built without Qt Multimedia, or on a machine without a camera, there is none: isAvailable() is false
// and the photo sheet does not offer "拍一張照片".
#include <QObject>
#include <QString>

#include <functional>

class CameraCapture : public QObject
{
public:
    using QObject::QObject;

    // A camera the app can take a photo with.
    static bool isAvailable();

    // Takes one photo into a file of the temporary folder; `done` gets its path, or an empty one when
    // there is no camera or the capture failed. Runs `done` once, on the main thread, never inside the call.
    void capture(std::function<void(const QString &file)> done);
};
