// Every view draws texts exactly as written: a check over the QML files the app ships. Qt Quick's Text
// and Label render markup by default (and fetch the images it names), and so does the content a style
// draws for a button's or delegate's `text`. The rules:
// - a Text, Label, TextEdit or TextArea declares `textFormat` as plain text (PlainLabel does so once);
//   the About page's own document is the one rich text;
// - a control whose title the style draws binds `text` (a Dialog `title`) to a fixed text of the view,
//   or draws it through a content item of its own (PlainButton), as does an attached ToolTip.
#include "TestRegistry.h"
#include "ExpectedJson.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

const QStringList kTextItems{"Text", "Label", "TextEdit", "TextArea"};
const QStringList kStyledTitles{"Button",         "ToolButton",     "RoundButton",  "TabButton",    "DelayButton",
                                "ItemDelegate",   "CheckDelegate",  "RadioDelegate", "SwitchDelegate",
                                "SwipeDelegate",  "CheckBox",       "RadioButton",  "Switch",       "MenuItem",
                                "ToolTip",        "Dialog"};
// The one view allowed rich text: it shows the app's own About document.
const QString kRichTextView = QStringLiteral("app/AboutView.qml");

// The source with comments and the insides of string literals blanked, offsets and line breaks kept,
// so that braces, colons and semicolons in them do not count.
QString structureOf(QString s)
{
    static const QRegularExpression noise(
        QStringLiteral("//[^\\n]*|/\\*[\\s\\S]*?\\*/|\"(?:\\\\.|[^\"\\\\])*+\"|\'(?:\\\\.|[^\'\\\\])*+\'|`[^`]*`"));
    for (auto it = noise.globalMatch(QString(s)); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const bool literal = s.at(match.capturedStart()) != u'/'; // a string keeps its quotes
        for (qsizetype i = match.capturedStart() + literal; i < match.capturedEnd() - literal; ++i)
            s[i] = s.at(i) == u'\n' ? u'\n' : u' ';
    }
    return s;
}

// The problems of one QML file, each "file:line: what".
QStringList problemsOf(const QString &file, const QString &source, int *elements = nullptr)
{
    const QString s = structureOf(source);
    QStringList problems;
    const auto lineOf = [&](qsizetype at) { return file + u':' + QString::number(source.left(at).count(u'\n') + 1); };
    // The expression bound at `at` (just after the colon): to the end of its line or statement, comments
    // left out.
    const auto expressionAt = [&](const QString &own, qsizetype at) {
        static const QRegularExpression end(QStringLiteral("[;\\n}]"));
        qsizetype stop = own.indexOf(end, at);
        for (stop = stop < 0 ? own.size() : stop; stop > at && own.at(stop - 1).isSpace();)
            --stop;
        return source.mid(at, stop - at).trimmed();
    };
    static const QRegularExpression fixed(QStringLiteral(
        "^(\"[^\"\\\\]*\"|Localized\\.text\\(QT_TRANSLATE_NOOP\\(\"Zelk\", \"[^\"\\\\]*\"\\)\\))$"));

    static const QRegularExpression declaration(QStringLiteral(R"((?<![\w.])([A-Z]\w*)\s*\{)"));
    for (auto it = declaration.globalMatch(s); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString type = match.captured(1);
        const bool textItem = kTextItems.contains(type);
        if (!textItem && !kStyledTitles.contains(type))
            continue;
        // The element's own level: nested objects and function bodies blanked.
        QString own(s.size(), u' ');
        int depth = 0;
        for (qsizetype i = match.capturedEnd() - 1; i < s.size(); ++i) {
            if (s.at(i) == u'{')
                ++depth;
            if (depth == 1 || s.at(i) == u'\n')
                own[i] = s.at(i);
            if (s.at(i) == u'}' && --depth == 0)
                break;
        }
        const auto bindingOf = [&](const QString &name) -> qsizetype {
            const QRegularExpression binding(QStringLiteral("(?:^|[;{\\n])\\s*%1\\s*:").arg(name));
            const QRegularExpressionMatch found = binding.match(own, match.capturedEnd() - 1);
            return found.hasMatch() ? found.capturedEnd() : -1;
        };
        if (elements)
            ++*elements;
        if (textItem) {
            const qsizetype format = bindingOf(QStringLiteral("textFormat"));
            const QString value = format < 0 ? QString() : expressionAt(own, format);
            if (format < 0)
                problems << lineOf(match.capturedStart()) + QStringLiteral(": %1 without textFormat (use PlainLabel)").arg(type);
            else if (!value.endsWith(QLatin1String(".PlainText")) && !file.endsWith(kRichTextView))
                problems << lineOf(match.capturedStart()) + QStringLiteral(": %1 draws %2").arg(type, value);
            continue;
        }
        const bool dialog = type == QLatin1String("Dialog");
        const qsizetype title = bindingOf(dialog ? QStringLiteral("title") : QStringLiteral("text"));
        if (title >= 0 && !fixed.match(expressionAt(own, title)).hasMatch() &&
            bindingOf(dialog ? QStringLiteral("header") : QStringLiteral("contentItem")) < 0)
            problems << lineOf(match.capturedStart()) +
                            QStringLiteral(": %1 shows \"%2\" through the style (use PlainButton or a content item)")
                                .arg(type, expressionAt(own, title));
    }
    static const QRegularExpression toolTip(QStringLiteral(R"(ToolTip\.text\s*:)"));
    for (auto it = toolTip.globalMatch(s); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (!fixed.match(expressionAt(s, match.capturedEnd())).hasMatch())
            problems << lineOf(match.capturedStart()) + QStringLiteral(": ToolTip.text is not a fixed text");
    }
    return problems;
}

} // namespace

class PlainTextViewsTest : public QObject
{
    Q_OBJECT
private slots:
    // The rules bite, also where no shipped view tries them yet: each snippet is one element of a view.
    void rules_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("views/plainTextRules"))); }
    void rules()
    {
        QFETCH(QJsonObject, row);
        const QStringList problems = problemsOf(QStringLiteral("snippet.qml"), row["qml"].toString());
        QVERIFY2(problems.isEmpty() == row["passes"].toBool(), qPrintable(problems.join(u'\n')));
    }

    // Every shipped view keeps them.
    void everyViewDrawsTextsAsWritten()
    {
        QStringList problems;
        int files = 0, elements = 0;
        for (QDirIterator it(QStringLiteral(":/Zelk/qml"), {QStringLiteral("*.qml")}, QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            problems << problemsOf(file.fileName().mid(QStringLiteral(":/Zelk/qml/").size()),
                                   QString::fromUtf8(file.readAll()), &elements);
            ++files;
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        QVERIFY(files >= 50);
        QVERIFY(elements >= 40);
    }
};

ZELK_TEST(PlainTextViewsTest)
#include "PlainTextViewsTest.moc"
