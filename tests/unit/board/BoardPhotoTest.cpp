// Photos of board posts: what a chosen file may be, and the form in which a photo is sent.
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "board/BoardPhoto.h"
#include "platform/PhotoFile.h"
#include "text/Localizer.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

class BoardPhotoTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return file.fileName();
    }

private slots:
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    void chosenFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QSize>("size");
        QImage photo(120, 90, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(m_dir.filePath(QStringLiteral("ok.png"))));
        QTest::newRow("image") << m_dir.filePath(QStringLiteral("ok.png")) << QString() << QSize(120, 90);
        QTest::newRow("missing") << m_dir.filePath(QStringLiteral("gone.jpg")) << "無法讀取這個檔案" << QSize();
        // A header declaring 8,000 × 6,000 pixels (48 megapixels) with no pixels behind it: refused
        // from the header alone, before any decoding.
        QTest::newRow("48 megapixels") << write(QStringLiteral("huge.ppm"), "P6\n8000 6000\n255\n")
                                       << "照片超過 4000 萬像素，請選擇較小的照片" << QSize();
    }
    void chosenFiles()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        QFETCH(QSize, size);
        const PhotoFile::Result read = PhotoFile::read(path);
        QCOMPARE(read.error, error);
        QCOMPARE(read.image.size(), size.isValid() ? size : QSize(0, 0));
    }

    // Each row: the size chosen and the size sent.
    void sentAt800WideJpegInBase64_data() { QVERIFY(zelktest::addFixtureRows("board/sentPhotos")); }
    void sentAt800WideJpegInBase64()
    {
        QFETCH(QJsonObject, row);
        const auto size = [&](const char *key) { return QSize(row[key][0].toInt(), row[key][1].toInt()); };
        const QSize source = size("source"), sent = size("sent");
        QImage image(source, QImage::Format_RGB32);
        image.fill(Qt::gray);
        const QString text = BoardPhoto::encode(BoardPhoto::scaledForSending(image));
        // Standard alphabet, padded, on one line.
        QVERIFY(QRegularExpression(QStringLiteral("^[A-Za-z0-9+/]+={0,2}$")).match(text).hasMatch());
        QBuffer buffer;
        buffer.setData(QByteArray::fromBase64(text.toLatin1()));
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.read().size(), sent);
        QCOMPARE(BoardPhoto::encode(QImage()), QString());
    }
};

ZELK_TEST(BoardPhotoTest)
#include "BoardPhotoTest.moc"
