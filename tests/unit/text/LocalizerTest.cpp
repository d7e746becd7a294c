#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "text/Localizer.h"

class LocalizerTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    // Each row: the device's languages in order, and whether the English table is the one used.
    void lookupFollowsLanguage_data() { QVERIFY(zelktest::addFixtureRows("text/languages")); }
    void lookupFollowsLanguage()
    {
        QFETCH(QJsonObject, row);
        const QString key = QStringLiteral("無法連結伺服器，麻煩稍後再試");
        Localizer::instance().load(row["languages"].toVariant().toStringList());
        QCOMPARE(localized(key), row["english"].toBool() ? QStringLiteral("Cannot reach the server, please try again later") : key);
        // A text without a translation comes back unchanged, even with a table loaded.
        QCOMPARE(localized(QStringLiteral("伺服器訊息")), QStringLiteral("伺服器訊息"));
    }

    void formatFillsPlaceholdersInOrder()
    {
        QCOMPARE(localizedFormat(QStringLiteral("%@ 的 %d 筆 %.2f%%"), {QStringLiteral("甲"), 3, 1.5}),
                 QStringLiteral("甲 的 3 筆 1.50%"));
        QCOMPARE(localizedFormat(QStringLiteral("無參數%d"), {}), QStringLiteral("無參數0"));
    }

    // A shown count takes the language's plural form; the key, which has none, takes the number.
    void countsTakeTheirPluralForm()
    {
        const char *replies = QT_TRANSLATE_N_NOOP("Zelk", "共%n則留言");
        QCOMPARE(localizedCount(replies, 1), QStringLiteral("共1則留言"));
        Localizer::instance().load({QStringLiteral("en")});
        QCOMPARE(localizedCount(replies, 1), QStringLiteral("1 reply"));
        QCOMPARE(localizedCount(replies, 12), QStringLiteral("12 replies"));
    }
};

ZELK_TEST(LocalizerTest)
#include "LocalizerTest.moc"
