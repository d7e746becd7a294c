#include "board/BoardPhoto.h"

#include <QBuffer>

namespace BoardPhoto {

QImage scaledForSending(const QImage &image)
{
    if (image.isNull() || image.width() == kSendWidth)
        return image;
    return image.scaledToWidth(kSendWidth, Qt::SmoothTransformation);
}

QString encode(const QImage &scaled)
{
    if (scaled.isNull())
        return {};
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!scaled.save(&buffer, "JPEG", kJpegQuality))
        return {};
    return QString::fromLatin1(jpeg.toBase64());
}

} // namespace BoardPhoto
