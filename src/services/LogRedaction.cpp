#include "services/LogRedaction.h"

#include <QMutex>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {

const QString kMask = QStringLiteral("***");

QMutex &secretsMutex()
{
    static QMutex mutex;
    return mutex;
}

QSet<QString> &secrets()
{
    static QSet<QString> values;
    return values;
}

QtMessageHandler g_previous = nullptr;

bool isKeyChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Password members, and the members that carry what the keychain holds (the login answer names the user
// before the keychain has stored anything).
bool isSecretKey(QStringView key)
{
    static const QLatin1String keychainKeys[] = {QLatin1String("userID"), QLatin1String("userName"),
                                                 QLatin1String("userAccount"), QLatin1String("user_name"),
                                                 QLatin1String("pushToken"), QLatin1String("token")};
    if (key.endsWith(QLatin1String("password"), Qt::CaseInsensitive))
        return true;
    for (const QLatin1String k : keychainKeys) {
        if (key.compare(k, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

qsizetype skipSpaces(const QString &s, qsizetype i)
{
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    return i;
}

// The backslashes directly before position `quote`.
qsizetype backslashesBefore(const QString &s, qsizetype quote)
{
    qsizetype n = 0;
    while (quote - n - 1 >= 0 && s.at(quote - n - 1) == QLatin1Char('\\'))
        ++n;
    return n;
}

// Whether the quote at `quote`, inside a JSON string nested `depth` times in JSON strings, ends that
// string: a run of r backslashes before a quote loses one level of escaping per level ((r - 1) / 2); at
// the innermost level an even count leaves the quote unescaped.
bool endsString(const QString &s, qsizetype quote, int depth)
{
    qsizetype r = backslashesBefore(s, quote);
    for (int level = 0; level < depth; ++level) {
        if (r % 2 == 0)
            return false; // not a quote of this nesting level
        r = (r - 1) / 2;
    }
    return r % 2 == 0;
}

// Secret JSON members ("…password": "value" …) at any nesting depth (the key's quotes tell the depth).
QString redactJsonMembers(const QString &text)
{
    QString out;
    qsizetype copied = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype quote = text.indexOf(QLatin1Char('"'), i);
        if (quote < 0)
            break;
        // A quote nested in d JSON strings is escaped by 2^d - 1 backslashes; other counts are no key's.
        const qsizetype escapes = backslashesBefore(text, quote);
        int depth = 0;
        for (qsizetype e = escapes; e > 0 && e % 2 == 1; e = (e - 1) / 2)
            ++depth;
        if ((qsizetype(1) << depth) - 1 != escapes) {
            i = quote + 1;
            continue;
        }
        // A key: quote, key characters, the same escaping before the closing quote.
        qsizetype end = quote + 1;
        while (end < text.size() && isKeyChar(text.at(end)))
            ++end;
        const QStringView key = QStringView(text).mid(quote + 1, end - quote - 1);
        const QString closing = QString(escapes, QLatin1Char('\\')) + QLatin1Char('"');
        if (key.isEmpty() || !isSecretKey(key) || QStringView(text).mid(end, closing.size()) != closing) {
            i = quote + 1;
            continue;
        }
        qsizetype p = skipSpaces(text, end + closing.size());
        if (p >= text.size() || text.at(p) != QLatin1Char(':')) {
            i = quote + 1;
            continue;
        }
        p = skipSpaces(text, p + 1);
        if (QStringView(text).mid(p, closing.size()) != closing) {
            // A number or literal becomes the masked text (quoted, so the JSON stays valid); an object or
            // array is left to the scan of its own members.
            qsizetype v = p;
            while (v < text.size() && !QStringLiteral(",}] \\\"{[").contains(text.at(v)) && !text.at(v).isSpace())
                ++v;
            if (v > p) {
                out += QStringView(text).mid(copied, p - copied);
                out += closing + kMask + closing;
                copied = v;
            }
            i = std::max(v, p + 1);
            continue;
        }
        const qsizetype valueStart = p + closing.size();
        qsizetype valueEnd = valueStart;
        while (true) {
            valueEnd = text.indexOf(QLatin1Char('"'), valueEnd);
            if (valueEnd < 0 || endsString(text, valueEnd, depth))
                break;
            ++valueEnd;
        }
        // An unterminated value (a cut line) is masked to the end.
        const qsizetype contentEnd = valueEnd < 0 ? text.size() : valueEnd - escapes;
        out += QStringView(text).mid(copied, valueStart - copied);
        out += kMask;
        copied = std::max(contentEnd, valueStart);
        i = valueEnd < 0 ? text.size() : valueEnd + 1;
    }
    out += QStringView(text).mid(copied);
    return out;
}

// Secret form fields (…password=value …; the name runs from the start, '&', '?', white space or a quote to
// the '=', and is read percent-decoded, as the server reads it; the value runs up to '&', white space or a
// quote).
QString redactFormFields(const QString &text)
{
    const auto endsName = [](QChar c) { return c.isSpace() || QStringLiteral("&?\"'=").contains(c); };
    QString out;
    qsizetype copied = 0;
    qsizetype i = 0;
    while ((i = text.indexOf(QLatin1Char('='), i)) >= 0) {
        qsizetype nameStart = i;
        while (nameStart > 0 && !endsName(text.at(nameStart - 1)))
            --nameStart;
        const bool afterEquals = nameStart > 0 && text.at(nameStart - 1) == QLatin1Char('=');
        const QString name = QUrl::fromPercentEncoding(QStringView(text).mid(nameStart, i - nameStart).toUtf8());
        if (afterEquals || name.isEmpty() || !std::all_of(name.begin(), name.end(), isKeyChar) || !isSecretKey(name)) {
            ++i;
            continue;
        }
        qsizetype valueEnd = i + 1;
        while (valueEnd < text.size() && !QStringLiteral("& \"'\r\n\t").contains(text.at(valueEnd)))
            ++valueEnd;
        out += QStringView(text).mid(copied, i + 1 - copied);
        out += kMask;
        copied = valueEnd;
        i = valueEnd;
    }
    out += QStringView(text).mid(copied);
    return out;
}

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (g_previous)
        g_previous(type, context, LogRedaction::redact(message));
}

} // namespace

namespace LogRedaction {

QString redact(const QString &line)
{
    QString text = redactFormFields(redactJsonMembers(line));
    QList<QString> values;
    {
        QMutexLocker lock(&secretsMutex());
        values = secrets().values();
    }
    // Longest first, so a value that contains another is masked whole.
    std::sort(values.begin(), values.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &value : std::as_const(values))
        text.replace(value, kMask);
    return text;
}

void addSecret(const QString &value)
{
    if (value.isEmpty())
        return;
    QMutexLocker lock(&secretsMutex());
    secrets().insert(value);
}

void installMessageFilter()
{
    QtMessageHandler previous = qInstallMessageHandler(filterMessage);
    if (previous != filterMessage)
        g_previous = previous;
}

} // namespace LogRedaction
