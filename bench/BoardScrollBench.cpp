// The message board under load, in the real Qt Quick scene: a scroll replayed over 1,000 messages with
// photos, frame by frame, beside the same scroll over an empty list in the same run; and the main
// thread while a 12-megapixel photo is prepared for sending.
#include "board/AddBoardMessageViewController.h"
#include "board/BoardMessageListViewController.h"
#include "board/ComposePhoto.h"
#include "ui/UiInstall.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <mutex>

Q_IMPORT_QML_PLUGIN(ZelkPlugin)

namespace {
constexpr int kMessages = 1000;
constexpr int kFrames = 600;   // ten seconds at 60 frames per second
constexpr double kStep = 45;   // points per frame: a brisk fling
constexpr qint64 kBudgetNs = 16'000'000;

const char *kScene = R"(
import QtQuick
import Zelk
Window {
    id: window
    width: 375; height: 667; visible: true
    property BoardMessageListViewController controller: null
    ListView {
        id: list
        objectName: "list"
        anchors.fill: parent
        topMargin: 8; spacing: 10; reuseItems: true
        model: window.controller ? window.controller.rows : null
        delegate: BoardCell { x: 8; width: 359 }
    }
}
)";

struct FrameTimes {
    QList<qint64> busyNs; // main thread from the frame's animation step to the end of its sync
};

QJsonArray messages(const QStringList &photos)
{
    QJsonArray list;
    for (int i = 0; i < kMessages; ++i) {
        const bool withPhoto = i % 2 == 0;
        list.append(QJsonObject{{"msgID", QStringLiteral("M%1").arg(i)},
                                {"row", i + 1},
                                {"userName", QStringLiteral("業務%1").arg(i % 17)},
                                {"postTime", QStringLiteral("2026/12/07 08:%1").arg(i % 60, 2, 10, QLatin1Char('0'))},
                                {"postContent", QStringLiteral("第%1則：出貨時段調整，請業務同仁轉知客戶。").arg(i).repeated(1 + i % 3)},
                                {"postWidth", withPhoto ? 800 : 0},
                                {"postHeight", withPhoto ? 600 : 0},
                                {"photoURL", withPhoto ? QUrl::fromLocalFile(photos.at(i % photos.size())).toString() : QString()},
                                {"gender", i % 3 ? "M" : "F"},
                                {"createUser", "U1"},
                                {"replyTotal", i % 4},
                                {"replyList", QJsonArray{QJsonObject{{"userName", "林雅婷"}, {"postContent", "收到"}}}}});
    }
    return list;
}

qint64 percentile(QList<qint64> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(std::min<qsizetype>(values.size() - 1, qsizetype(p * values.size())));
}
} // namespace

class BoardScrollBench : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_photos;

    FrameTimes scroll(int count)
    {
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral("qrc:/"));
        QQmlComponent component(&engine);
        component.setData(kScene, QUrl());
        BoardMessageListViewController controller;
        controller.setCollectionWidth(375);
        controller.setCollectionViewArray(count ? messages(m_photos) : QJsonArray());
        std::unique_ptr<QObject> root(component.createWithInitialProperties(
            {{QStringLiteral("controller"), QVariant::fromValue<QObject *>(&controller)}}));
        auto *window = qobject_cast<QQuickWindow *>(root.get());
        if (!window) {
            qWarning() << component.errorString();
            return {};
        }
        auto *list = window->findChild<QQuickItem *>(QStringLiteral("list"));
        QTest::qWaitForWindowExposed(window);
        QTest::qWait(200);

        FrameTimes times;
        QElapsedTimer clock;
        clock.start();
        std::mutex lock;
        qint64 frameStart = -1;
        int frame = 0;
        // Each frame: one step of the scroll (what a finger does), then the frame's own work.
        connect(window, &QQuickWindow::afterAnimating, this, [&] {
            std::lock_guard guard(lock);
            frameStart = clock.nsecsElapsed();
            const double maxY = std::max(0.0, list->property("contentHeight").toDouble() - window->height());
            list->setProperty("contentY", std::min(maxY, frame * kStep));
            ++frame;
            window->update();
        });
        connect(window, &QQuickWindow::afterSynchronizing, this, [&] {
            std::lock_guard guard(lock);
            if (frameStart >= 0)
                times.busyNs.append(clock.nsecsElapsed() - frameStart);
            frameStart = -1;
        }, Qt::DirectConnection);
        window->update();
        QTest::qWaitFor([&] { return frame >= kFrames; }, 60000);
        disconnect(window, nullptr, this, nullptr);
        return times;
    }

private slots:
    void initTestCase()
    {
        prepareUiStyle();
        for (int i = 0; i < 4; ++i) {
            QImage photo(800, 600, QImage::Format_RGB32);
            photo.fill(QColor::fromHsv(i * 80, 160, 200));
            const QString path = m_dir.filePath(QStringLiteral("photo%1.jpg").arg(i));
            QVERIFY(photo.save(path, "JPEG", 80));
            m_photos << path;
        }
    }

    // Frames of a scroll through the whole list; goal: no frame's main-thread work over 16 ms.
    void scrollThousandMessages()
    {
        const FrameTimes empty = scroll(0);
        const FrameTimes full = scroll(kMessages);
        QVERIFY(!full.busyNs.isEmpty());
        const auto report = [](const char *name, const FrameTimes &t) {
            const qint64 over = std::count_if(t.busyNs.begin(), t.busyNs.end(), [](qint64 ns) { return ns > kBudgetNs; });
            qInfo("%-22s frames %4lld  median %5.2f ms  p99 %5.2f ms  max %5.2f ms  over 16 ms: %lld", name,
                  qint64(t.busyNs.size()), percentile(t.busyNs, 0.5) / 1e6, percentile(t.busyNs, 0.99) / 1e6,
                  percentile(t.busyNs, 1.0) / 1e6, over);
        };
        report("empty list", empty);
        report("1,000 messages", full);
        QTest::setBenchmarkResult(qreal(percentile(full.busyNs, 1.0)) / 1e6, QTest::WalltimeMilliseconds);
    }

    // The main thread while a 12-megapixel photo is scaled and encoded for sending.
    void prepareTwelveMegapixelPhoto()
    {
        AddBoardMessageViewController screen;
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(QColor(195, 0, 28));
        qint64 longest = 0;
        QElapsedTimer clock;
        clock.start();
        qint64 lastTick = 0;
        QTimer ticks;
        ticks.setTimerType(Qt::PreciseTimer);
        connect(&ticks, &QTimer::timeout, this, [&] {
            longest = std::max(longest, clock.elapsed() - lastTick);
            lastTick = clock.elapsed();
        });
        ticks.start(1);
        QElapsedTimer call;
        call.start();
        screen.photo()->setImage(photo);
        const qint64 callMs = call.elapsed();
        QVERIFY(QTest::qWaitFor([&] { return !screen.photo()->previewSource().isEmpty(); }, 20000));
        qInfo("12-megapixel photo: the choice returns after %lld ms, ready after %lld ms, longest main-thread stall %lld ms",
              callMs, clock.elapsed(), longest);
        QTest::setBenchmarkResult(qreal(longest), QTest::WalltimeMilliseconds);
    }
};

QTEST_MAIN(BoardScrollBench)
#include "BoardScrollBench.moc"
