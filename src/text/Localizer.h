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

private:
    Localizer();
    std::vector<std::unique_ptr<QTranslator>> m_tables;
    QString m_language;
};

QString localized(const QString &key);

// Looks up `format`, then fills its printf-style placeholders (%d, %i, %ld, %@, %s, %f, %.Nf) in order.
QString localizedFormat(const QString &format, const QVariantList &arguments);
