#pragma once
// Lookup of the app's fixed texts. The key is the Traditional Chinese text itself; the result is its
// translation for the device's display language, or the key when no translation exists.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class QTranslator;

class Localizer
{
public:
    static Localizer &instance();

    // Loads the tables for the first of `uiLanguages` that has any (e.g. {"en-US", "zh-TW"}). A
    // Traditional Chinese entry (zh-TW, zh-HK, zh-MO, zh-Hant…) ends the search with no table: the
    // keys are shown as written.
    // Called once with the system's languages on first use; tests call it to switch language.
    void load(const QStringList &uiLanguages);
    QString language() const { return m_language; }

    QString translate(const QString &key) const;
    // The form of `key` for the count `n` (a text with plural forms); the key itself when there is none.
    QString translate(const QString &key, int n) const;

private:
    Localizer();
    std::vector<std::unique_ptr<QTranslator>> m_tables;
    QString m_language;
};

// The app's fixed texts are marked where they are written, as QT_TRANSLATE_NOOP("Zelk", "…"), so that lupdate
// finds them and keeps i18n/zelk_en.ts; the marked literal (UTF-8) is the key:
//     localized(QT_TRANSLATE_NOOP("Zelk", "登出"))
// A key held in a variable was marked where its literal is written.
QString localized(const QString &key);
inline QString localized(const char *key) { return localized(QString::fromUtf8(key)); }

// A text that shows a count, marked QT_TRANSLATE_N_NOOP("Zelk", "…%n…") so that lupdate gives it a form
// per plural of the language: the form for `n`, with %n replaced by it.
//     localizedCount(QT_TRANSLATE_N_NOOP("Zelk", "共%n則留言"), total)   // "1 reply", "3 replies"
QString localizedCount(const char *key, int n);

// Looks up `format`, then fills its printf-style placeholders (%d, %i, %ld, %@, %s, %f, %.Nf) in order.
QString localizedFormat(const QString &format, const QVariantList &arguments);
inline QString localizedFormat(const char *format, const QVariantList &arguments)
{
    return localizedFormat(QString::fromUtf8(format), arguments);
}
