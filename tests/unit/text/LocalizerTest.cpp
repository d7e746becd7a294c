#include "TestRegistry.h"
#include "text/Localizer.h"

#include <QTest>

class LocalizerTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    void lookupFollowsLanguage_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<bool>("english");
        QTest::newRow("zh-TW alone") << QStringList{"zh-TW"} << false;
        // Traditional Chinese first on a bilingual device: the keys, not the English table behind it.
        QTest::newRow("zh-TW, en") << QStringList{"zh-TW", "en"} << false;
        QTest::newRow("zh-Hant-HK, en") << QStringList{"zh-Hant-HK", "en-US"} << false;
        QTest::newRow("zh-MO, en") << QStringList{"zh-MO", "en"} << false;
        QTest::newRow("en-GB, zh-TW") << QStringList{"en-GB", "zh-TW"} << true;
        QTest::newRow("fr, en") << QStringList{"fr", "en"} << true;
        QTest::newRow("fr-FR, en-GB") << QStringList{"fr-FR", "en-GB"} << true;
        // Simplified Chinese has no table and is not the source language: the search goes on.
        QTest::newRow("zh-CN, en") << QStringList{"zh-CN", "en"} << true;
    }

    void lookupFollowsLanguage()
    {
        QFETCH(QStringList, languages);
        QFETCH(bool, english);
        const QString key = QStringLiteral("無法連結伺服器，麻煩稍後再試");
        Localizer::instance().load(languages);
        QCOMPARE(localized(key), english ? QStringLiteral("Cannot reach the server, please try again later") : key);
        // A text without a translation comes back unchanged, even with a table loaded.
        QCOMPARE(localized(QStringLiteral("伺服器訊息")), QStringLiteral("伺服器訊息"));
    }

    void formatFillsPlaceholdersInOrder()
    {
        QCOMPARE(localizedFormat(QStringLiteral("共%d則留言"), {12}), QStringLiteral("共12則留言"));
        QCOMPARE(localizedFormat(QStringLiteral("%@ 的 %d 筆 %.2f%%"), {QStringLiteral("甲"), 3, 1.5}),
                 QStringLiteral("甲 的 3 筆 1.50%"));
        QCOMPARE(localizedFormat(QStringLiteral("無參數%d"), {}), QStringLiteral("無參數0"));
    }
};

ZELK_TEST(LocalizerTest)
#include "LocalizerTest.moc"
