#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "ui/QmlUi.h"
#include "ui/RefreshControl.h"
#include "ui/Screen.h"
#include "FakeUi.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>
#include <QTest>

class UiTest : public QObject
{
    Q_OBJECT
private slots:
    // The one edit between two texts (tests/data/views/textEdits.json).
    void textEditIsTheOneChangeBetweenTwoTexts_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("views/textEdits"))); }
    void textEditIsTheOneChangeBetweenTwoTexts()
    {
        QFETCH(QJsonObject, row);
        const QString before = row["before"].toString();
        const TextEdit edit = TextEdit::between(before, row["after"].toString());
        ZELK_COMPARE_JSON((QJsonObject{{"before", before}, {"after", edit.appliedTo(before)}, {"start", edit.start},
                                       {"length", edit.length}, {"replacement", edit.replacement}}), row);
    }

    // A chosen file reaches the screen decoded, or refused with its reason; giving up cancels.
    void qmlUiReadsChosenPhotoFiles()
    {
        FilePhotoPicker picker;
        QTemporaryDir dir;
        QmlUi ui;
        ui.setPhotoPicker(&picker);
        QVERIFY(!ui.isPhotoSourceAvailable(PhotoSource::Camera));
        QStringList answers;
        const auto pick = [&] {
            ui.pickPhoto(
                PhotoSource::Library, [&](const QImage &image) { answers << QString::number(image.width()); },
                [&] { answers << QStringLiteral("cancelled"); }, [&](const QString &why) { answers << why; });
        };
        picker.file = dir.filePath(QStringLiteral("photo.png"));
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(picker.file));
        pick();
        QTRY_COMPARE(answers, QStringList({"64"}));
        picker.file = dir.filePath(QStringLiteral("notes.jpg"));
        QFile notes(picker.file);
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("plain text") > 0);
        notes.close();
        pick();
        QTRY_COMPARE(answers.size(), 2);
        QCOMPARE(answers.last(), QStringLiteral("這個檔案不是圖片"));
        picker.file.clear();
        pick();
        QTRY_COMPARE(answers.last(), QStringLiteral("cancelled"));

        // Without a platform picker the window's file dialog answers, for the request it was opened for
        // only, and once.
        ui.setPhotoPicker(nullptr);
        QSignalSpy asked(&ui, &QmlUi::photoRequested);
        pick();
        QCOMPARE(asked.size(), 1);
        const int id = asked.last().at(0).toInt();
        const QUrl photo = QUrl::fromLocalFile(dir.filePath(QStringLiteral("photo.png")));
        ui.photoChosen(id + 1, photo);
        ui.photoCancelled(id + 1);
        ui.photoChosen(id, photo);
        ui.photoChosen(id, photo);
        QTRY_COMPARE(answers.size(), 4);
        QCOMPARE(answers.last(), QStringLiteral("64"));
        pick();
        ui.photoCancelled(asked.last().at(0).toInt());
        QCOMPARE(answers.last(), QStringLiteral("cancelled"));
        QTest::qWait(50);
        QCOMPARE(answers.size(), 5);
    }

    // A bar button is triggered by its side and place; any other place does nothing.
    void barButtonsByPlace()
    {
        Screen screen;
        int taps = 0;
        screen.setRightBarButtons({BarButton{QStringLiteral("下單"), {}, {}, [&] { ++taps; }}});
        for (const auto &[side, index] : {std::pair("right", 1), {"right", -1}, {"left", 0}})
            QVERIFY(!screen.triggerBarButton(QLatin1String(side), index));
        QVERIFY(screen.triggerBarButton(QStringLiteral("right"), 0));
        QCOMPARE(taps, 1);
    }

    // A header pull loads only when let go far enough, and once while it loads. (The footer's paging is
    // driven through the notification list, PushListTest.)
    void refreshHeaderLoadsOnceWhenPulledFarEnough()
    {
        int refreshes = 0;
        RefreshControl header(RefreshControl::Kind::Header, [&] { ++refreshes; });
        header.release(); // let go without pulling far enough
        header.setPulledFarEnough(true);
        header.setPulledFarEnough(false); // pulled back before letting go
        QCOMPARE(header.title(), QStringLiteral("下滑更新資料"));
        header.release();
        QCOMPARE(refreshes, 0);
        header.setPulledFarEnough(true);
        QCOMPARE(header.title(), QStringLiteral("放開開始更新"));
        header.release();
        QCOMPARE(refreshes, 1);
        header.setPulledFarEnough(false); // the list springs back while it loads
        QCOMPARE(header.title(), QStringLiteral("更新資料中"));
        header.beginRefreshing(); // already refreshing: no second load
        QCOMPARE(refreshes, 1);
        header.endRefreshing();
        QCOMPARE(header.state(), RefreshControl::Idle);
    }

    // The spinner goes with the one that showed it last, when that goes before dismissing it; nobody
    // else's going takes it away, and a dismissed spinner is not dismissed again.
    void spinnerGoesWithItsOwner()
    {
        FakeUi ui;
        auto first = std::make_unique<QObject>(), second = std::make_unique<QObject>();
        ui.showSpinner(first.get());
        ui.showSpinner(second.get(), SpinnerMask::None);
        first.reset();
        QVERIFY(ui.isSpinnerShowing());
        second.reset();
        QVERIFY(!ui.isSpinnerShowing());

        auto owner = std::make_unique<QObject>();
        ui.showSpinner(owner.get());
        ui.dismissSpinner();
        ui.showSpinner(nullptr);
        owner.reset();
        QVERIFY(ui.isSpinnerShowing());
        ui.dismissSpinner();
        QCOMPARE(ui.calls().filter(QStringLiteral("spinner:dismiss")).size(), 3);
    }
};

ZELK_TEST(UiTest)
#include "UiTest.moc"
