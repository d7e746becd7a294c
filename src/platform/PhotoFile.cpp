#include "platform/PhotoFile.h"

#include "text/Localizer.h"

#include <QFile>
#include <QImageReader>

namespace PhotoFile {

Result read(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {{}, localized(QT_TRANSLATE_NOOP("Zelk", "無法讀取這個檔案"))};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.isEmpty())
        return {{}, localized(QT_TRANSLATE_NOOP("Zelk", "這個檔案不是圖片"))};
    if (qint64(size.width()) * size.height() > kMaxPixels)
        return {{}, localized(QT_TRANSLATE_NOOP("Zelk", "照片超過 4000 萬像素，請選擇較小的照片"))};
    QImage image = reader.read();
    if (image.isNull())
        return {{}, localized(QT_TRANSLATE_NOOP("Zelk", "這個檔案不是圖片"))};
    return {std::move(image), {}};
}

QString refusalTitle() { return localized(QT_TRANSLATE_NOOP("Zelk", "無法使用這張照片")); }

} // namespace PhotoFile
