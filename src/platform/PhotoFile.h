#pragma once
// Reads a photo the user chose, refusing what would harm the app before decoding it: a file that cannot
// be read, one that is not an image, and an image above kMaxPixels (its size is read from the header, so
// a huge image is refused without allocating it). Blocking: run it on a worker thread.
#include <QImage>
#include <QString>

namespace PhotoFile {

constexpr qint64 kMaxPixels = 40'000'000;

struct Result {
    QImage image;  // null when refused
    QString error; // why it was refused (localised), empty on success
};

Result read(const QString &path);

// Title of the alert that shows Result::error.
QString refusalTitle();

} // namespace PhotoFile
