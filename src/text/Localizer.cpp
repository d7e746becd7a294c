#include "text/Localizer.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

namespace {
constexpr auto kContext = "Zelk";
constexpr auto kTableDir = ":/i18n";
} // namespace

Localizer &Localizer::instance()
{
    static Localizer localizer;
    return localizer;
}

Localizer::Localizer() { load(QLocale::system().uiLanguages()); }

// Traditional Chinese is the language the keys are written in: "zh-TW", "zh-HK", "zh-MO" and any
// "zh-Hant…" are served by the keys themselves, without a table.
static bool isTraditionalChinese(const QString &name)
{
    const QStringList parts = name.split(QLatin1Char('_'));
    if (parts.value(0).compare(QLatin1String("zh"), Qt::CaseInsensitive) != 0)
        return false;
    for (const QString &part : parts.mid(1)) {
        for (const char *tag : {"Hant", "TW", "HK", "MO"}) {
            if (part.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

void Localizer::load(const QStringList &uiLanguages)
{
    m_tables.clear();
    m_language.clear();
    const QStringList files = QDir(kTableDir).entryList({QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString &wanted : uiLanguages) {
        // "en-US" matches tables for "en_US" first, then "en".
        QString name = wanted;
        name.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (isTraditionalChinese(name)) {
            m_language = QStringLiteral("zh_Hant");
            return;
        }
        QStringList candidates{name};
        if (name.contains(QLatin1Char('_')))
            candidates << name.section(QLatin1Char('_'), 0, 0);
        for (const QString &lang : candidates) {
            const QString suffix = QLatin1Char('_') + lang + QStringLiteral(".qm");
            for (const QString &file : files) {
                if (!file.endsWith(suffix))
                    continue;
                auto table = std::make_unique<QTranslator>();
                if (table->load(QString::fromLatin1(kTableDir) + QLatin1Char('/') + file))
                    m_tables.push_back(std::move(table));
            }
            if (!m_tables.empty()) {
                m_language = lang;
                return;
            }
        }
    }
}

QString Localizer::translate(const QString &key) const { return translate(key, -1); }

QString Localizer::translate(const QString &key, int n) const
{
    const QByteArray utf8 = key.toUtf8();
    for (const auto &table : m_tables) {
        const QString text = table->translate(kContext, utf8.constData(), nullptr, n);
        if (!text.isEmpty())
            return text;
    }
    return key;
}

QString localized(const QString &key) { return Localizer::instance().translate(key); }

QString localizedCount(const char *key, int n)
{
    return Localizer::instance().translate(QString::fromUtf8(key), n).replace(QLatin1String("%n"), QString::number(n));
}

QString localizedFormat(const QString &format, const QVariantList &arguments)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\.(\\d+))?(ld|lu|d|i|u|@|s|f|%)"));
    const QString pattern = localized(format);
    QString out;
    qsizetype last = 0;
    int next = 0;
    auto it = placeholder.globalMatch(pattern);
    while (it.hasNext()) {
        const auto m = it.next();
        out += pattern.mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        const QString kind = m.captured(3);
        if (kind == QLatin1String("%")) {
            out += QLatin1Char('%');
            continue;
        }
        const QVariant value = next < arguments.size() ? arguments.at(next) : QVariant();
        ++next;
        if (kind == QLatin1String("f")) {
            const int decimals = m.captured(2).isEmpty() ? 6 : m.captured(2).toInt();
            out += QString::number(value.toDouble(), 'f', decimals);
        } else if (kind == QLatin1String("@") || kind == QLatin1String("s")) {
            out += value.toString();
        } else {
            out += QString::number(value.toLongLong());
        }
    }
    out += pattern.mid(last);
    return out;
}
