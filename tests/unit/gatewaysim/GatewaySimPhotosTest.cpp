// Posted board photos as the development gateway keeps them: served back by "photoURL" with their type,
// cacheable, and named by their content so that a client's cache never mixes two photos.
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "services/Operations.h"
#include "services/ServiceClient.h"

#include <QBuffer>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

#include <memory>

class GatewaySimPhotosTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<GatewayCalls> m_sim;

    // Posts a reply to M1023 with `photo` and returns the record the reply list gives back for it.
    QJsonObject postAndFetch(const QByteArray &photo)
    {
        const ApiStatus posted = m_sim->call(&Operations::addBoardReplyMsg,
                                             {{"msgID", "M1023"}, {"userID", "U10023"}, {"postContent", "照片"},
                                              {"postPhoto", QString::fromLatin1(photo.toBase64())}});
        if (!posted.isSuccess)
            return {};
        const QJsonArray list = answerOf(m_sim->call(&Operations::getBoardReplyMsgList, {{"msgID", "M1023"}}))
                                    .value(QStringLiteral("boardReplyMsgList")).toArray();
        return list.last().toObject();
    }

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void cleanupTestCase() { m_sim.reset(); }

    void postedPhotoRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("mimeType");
        QTest::newRow("jpeg") << QByteArray("JPEG") << QSize(800, 600) << QByteArray("image/jpeg");
        QTest::newRow("png") << QByteArray("PNG") << QSize(640, 800) << QByteArray("image/png");
    }
    void postedPhotoRoundTrips()
    {
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QFETCH(QByteArray, mimeType);
        m_sim->gateway()->reset();
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(195, 0, 28));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, format.constData()));

        const QJsonObject record = postAndFetch(bytes);
        QCOMPARE(record.value(QStringLiteral("postWidth")).toDouble(), size.width());
        QCOMPARE(record.value(QStringLiteral("postHeight")).toDouble(), size.height());
        const QString url = record.value(QStringLiteral("photoURL")).toString();
        QNetworkReply *reply = m_sim->client()->network()->get(QNetworkRequest(QUrl(url)));
        QVERIFY(QTest::qWaitFor([&] { return reply->isFinished(); }, 10000));
        reply->deleteLater();
        QCOMPARE(reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(), mimeType);
        QVERIFY(reply->rawHeader("Cache-Control").contains("max-age"));
        QCOMPARE(reply->readAll(), bytes);

        // After a reset the numbering starts over, but another photo gets another address.
        m_sim->gateway()->reset();
        image.fill(Qt::darkGreen);
        QByteArray other;
        QBuffer otherBuffer(&other);
        otherBuffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&otherBuffer, format.constData()));
        const QString otherUrl = postAndFetch(other).value(QStringLiteral("photoURL")).toString();
        QVERIFY(!otherUrl.isEmpty());
        QVERIFY(otherUrl != url);
    }
};

ZELK_TEST(GatewaySimPhotosTest)
#include "GatewaySimPhotosTest.moc"
