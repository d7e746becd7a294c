#pragma once
// The form in which a board photo is sent: scaled to 800 pixels wide (aspect kept; smaller photos are
// enlarged), JPEG at quality 0.8, then Base64 (standard alphabet, no line breaks). This bounds the size
// of a request whatever the camera's resolution. Scaling a camera photo takes tens of milliseconds:
// callers run it on a worker thread.
#include <QImage>
#include <QString>

namespace BoardPhoto {

constexpr int kSendWidth = 800;
constexpr int kJpegQuality = 80;

QImage scaledForSending(const QImage &image);
// The "postPhoto" text of an image already scaled for sending.
QString encode(const QImage &scaled);

} // namespace BoardPhoto
