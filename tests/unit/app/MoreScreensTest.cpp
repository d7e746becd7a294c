// More, About and Contact.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "app/AboutViewController.h"
#include "app/ContactUsViewController.h"
#include "app/MoreViewController.h"

#include <QTemporaryDir>

class MoreScreensTest : public QObject
{
    Q_OBJECT

private slots:
    void moreRowsFollowTheVersionCheck()
    {
        AppHarness app;
        app.context->versionCheck().setVersionText(QStringLiteral("2.4.0"));
        auto *more = app.showInStack<MoreViewController>(Scene::More);
        QVERIFY(more);

        // No newer version: the version row shows the version and two spaces, and does nothing.
        ListModelBase *rows = more->rows();
        ZELK_COMPARE_FIXTURE(zelktest::drawnRows(rows, {"subTitle", "disclosure", "highlight"}), "app/moreRows");
        more->selectRow(3);
        settle();
        QVERIFY(app.ui.openedUrls().isEmpty());
        QCOMPARE(more->navigationController()->depth(), 1);

        // The service announces an optional update: the row offers it once the screen shows again.
        QVERIFY(app.gateway.setVersionState(QStringLiteral("optional"), QStringLiteral("請更新"),
                                            QStringLiteral("https://apps.zelk-supply.com.tw/eip/download")));
        QSignalSpy finished(&app.context->versionCheck(), &VersionCheck::checkFinished);
        app.context->versionCheck().checkForUpdate();
        QVERIFY(finished.wait(5000));
        app.ui.pressAlertButton(QStringLiteral("取消"));
        QCOMPARE(rows->value(3, "subTitle").toString(), QStringLiteral("2.4.0  ")); // not rebuilt yet
        // Rebuilt when the screen shows again: only the version row changes, in place.
        QSignalSpy changed(rows, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(rows, &QAbstractItemModel::rowsRemoved);
        more->viewWillAppear(false);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).value<QModelIndex>().row(), 3);
        QCOMPARE(reset.size(), 0);
        ZELK_COMPARE_FIXTURE(zelktest::drawnRows(rows, {"subTitle", "disclosure", "highlight"}), "app/moreRowsWithUpdate");
        more->selectRow(3);
        QCOMPARE(app.ui.openedUrls(), QList<QUrl>({QUrl("https://apps.zelk-supply.com.tw/eip/download")}));
    }

    // About's document is shown once laid out (AppViewsTest draws it); a missing or unreadable one (a
    // folder) leaves the text empty.
    void aboutWithoutItsDocumentStaysEmpty()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("About.html"))));
        for (const char *path : {"nothing.html", "About.html"}) {
            AboutViewController lone;
            lone.setDocumentPath(dir.filePath(QLatin1String(path)));
            lone.viewDidLayoutSubviews();
            QCOMPARE(lone.text(), QString());
        }
    }

    // Only Contact's telephone rows dial. (AppViewsTest opens it from More.)
    void contactDialsOnlyTheTelephoneRows()
    {
        AppHarness app;
        auto *contact = app.showInStack<ContactUsViewController>(Scene::ContactUs);
        QVERIFY(contact);
        for (int row = 0; row < 6; ++row)
            contact->selectRow(row);
        const auto entries = contact->tableViewArray();
        QCOMPARE(app.ui.openedUrls(), QList<QUrl>({QUrl(QStringLiteral("tel:") + entries[2].detailTitle),
                                                   QUrl(QStringLiteral("tel:") + entries[5].detailTitle)}));
    }
};

ZELK_TEST(MoreScreensTest)
#include "MoreScreensTest.moc"
