// The app at a phone's size: a 360 × 640 window walked through every screen a rep uses, signed in
// against the development gateway. On each screen what is drawn keeps four rules: every control inside the
// window (a scrolling list may run past it downwards), no text cut off or drawn over another, every touch
// target at least 44 × 44, and every text at least 4.5:1 against what is drawn behind it (read on the
// screenshot). The screenshots go to build/screenshots/phone-<dpr>/. ctest runs it at a device pixel ratio
// of 1, 2 and 2.75 (QT_SCALE_FACTOR), and in English (ZELK_WALK_LANGUAGE=en).
#include "QmlHarness.h"
#include "TestRegistry.h"
#include "text/Localizer.h"

#include <QTest>

#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal kMinTarget = 44;
constexpr qreal kMinContrast = 4.5;

bool inherits(const QObject *o, const char *className) { return o->inherits(className); }

qreal drawnOpacity(const QQuickItem *item)
{
    qreal opacity = 1;
    for (; item; item = item->parentItem())
        opacity *= item->opacity();
    return opacity;
}

// The part of the scene the item may draw in: its clipping ancestors' rectangles.
QRectF clipOf(const QQuickItem *item, const QRectF &window)
{
    QRectF clip = window;
    for (const QQuickItem *a = item->parentItem(); a; a = a->parentItem()) {
        if (a->clip())
            clip &= a->mapRectToScene(QRectF(0, 0, a->width(), a->height()));
    }
    return clip;
}

// Whether an ancestor scrolls the item: vertically / horizontally.
std::pair<bool, bool> scrolledBy(const QQuickItem *item)
{
    bool down = false, across = false;
    for (const QQuickItem *a = item->parentItem(); a; a = a->parentItem()) {
        if (!inherits(a, "QQuickFlickable"))
            continue;
        down = down || a->property("contentHeight").toReal() > a->height() + 0.5;
        across = across || a->property("contentWidth").toReal() > a->width() + 0.5;
    }
    return {down, across};
}

// The layer an item is drawn in: the popup it is in, or the screen under the window.
const QQuickItem *layerOf(const QQuickItem *item)
{
    const QQuickItem *layer = item;
    for (const QQuickItem *a = item; a; a = a->parentItem()) {
        if (inherits(a, "QQuickPopupItem") || a->objectName() == "presentedScreen"_L1 ||
            a->objectName() == "rootScreen"_L1)
            layer = a;
    }
    return layer;
}

qreal luminance(QColor c)
{
    auto channel = [](qreal v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

qreal contrast(QColor a, QColor b)
{
    const qreal la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour drawn most often inside `rect` of the screenshot: the background of a text.
QColor backgroundIn(const QImage &shot, const QRect &rect)
{
    std::map<QRgb, int> counts;
    const QRect r = rect & shot.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[shot.pixel(x, y) | 0xff000000u];
    if (counts.empty())
        return {};
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto &a, const auto &b) { return a.second < b.second; });
    return QColor::fromRgb(most->first);
}

QColor over(QColor top, qreal alpha, QColor under)
{
    const qreal a = top.alphaF() * alpha;
    return QColor::fromRgbF(top.redF() * a + under.redF() * (1 - a), top.greenF() * a + under.greenF() * (1 - a),
                            top.blueF() * a + under.blueF() * (1 - a));
}

QString describe(const QQuickItem *item)
{
    QString name = item->objectName();
    for (const QQuickItem *a = item->parentItem(); name.isEmpty() && a; a = a->parentItem())
        if (!a->objectName().isEmpty())
            name = a->objectName() + u"/…"_s;
    const QString text = item->property("text").toString().left(24);
    return u"%1 (%2%3)"_s.arg(name, QString::fromLatin1(item->metaObject()->className()),
                              text.isEmpty() ? QString() : u" \""_s + text + u'"');
}

struct DrawnText
{
    const QQuickItem *item;
    QRectF ink;
    const QQuickItem *layer;
};

// Whether a modal popup (an alert, a picker, a sheet) is open: what is under it is dimmed and out of reach.
bool modalOpen(const QQuickItem *item)
{
    if (item->isVisible() && inherits(item, "QQuickPopupItem") && item->parent() && item->parent()->property("modal").toBool())
        return true;
    const auto children = item->childItems();
    return std::any_of(children.begin(), children.end(), [](const QQuickItem *c) { return modalOpen(c); });
}

// `covered`: under a dim (a modal popup's, or a "…Dim" item drawn over it): not read, so not checked for
// contrast or for texts drawn over it.
void walk(const QQuickItem *item, const QRectF &window, const QImage &shot, qreal dpr, bool covered,
          QStringList &faults, QList<DrawnText> &texts)
{
    if (!item->isVisible() || drawnOpacity(item) <= 0.01)
        return;
    const QRectF box = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    const QRectF clip = clipOf(item, window);
    const bool drawn = item->width() > 0 && item->height() > 0 && box.intersects(clip);
    const bool isText = inherits(item, "QQuickText") || inherits(item, "QQuickTextInput") || inherits(item, "QQuickTextEdit");
    const bool isTarget = item->isEnabled() &&
                          (inherits(item, "QQuickAbstractButton") || inherits(item, "QQuickMouseArea") ||
                           inherits(item, "QQuickTextInput") || inherits(item, "QQuickTextEdit"));
    if (drawn && (isText || isTarget || inherits(item, "QQuickImage"))) {
        const auto [down, across] = scrolledBy(item);
        const bool outside = (!across && (box.left() < -0.5 || box.right() > window.right() + 0.5)) ||
                             (!down && (box.top() < -0.5 || box.bottom() > window.bottom() + 0.5));
        if (outside)
            faults << u"outside the window: %1 at %2,%3 %4×%5"_s.arg(describe(item)).arg(box.x()).arg(box.y())
                          .arg(box.width()).arg(box.height());
        // A target cut by its list's edge is scrolled part-way, not small.
        if (isTarget && box == (box & clip) && (box.width() < kMinTarget - 0.5 || box.height() < kMinTarget - 0.5))
            faults << u"touch target under 44×44: %1 %2×%3"_s.arg(describe(item)).arg(box.width()).arg(box.height());
    }
    const QString text = item->property("text").toString().trimmed();
    if (drawn && isText && !text.isEmpty()) {
        if (item->property("truncated").toBool())
            faults << u"text cut off: %1"_s.arg(describe(item));
        const bool wraps = item->property("wrapMode").toInt() != 0;
        if (inherits(item, "QQuickText") && !wraps && item->property("contentWidth").toReal() > item->width() + 1)
            faults << u"text wider than its box: %1"_s.arg(describe(item));
        const QRectF ink = item->mapRectToScene(item->boundingRect()) & clip;
        if (!ink.isEmpty() && !covered) {
            texts << DrawnText{item, ink, layerOf(item)};
            const QRect pixels = QRectF(ink.topLeft() * dpr, ink.size() * dpr).toAlignedRect();
            const QColor back = backgroundIn(shot, pixels);
            const QColor color = item->property("color").value<QColor>();
            const qreal ratio = contrast(over(color, drawnOpacity(item), back), back);
            if (back.isValid() && item->isEnabled() && ratio < kMinContrast)
                faults << u"contrast %1:1 (%2 on %3): %4"_s.arg(ratio, 0, 'f', 2)
                              .arg(color.name(QColor::HexArgb), back.name(), describe(item));
        }
    }
    const QList<QQuickItem *> children = item->childItems();
    // A dim drawn above its earlier siblings covers them.
    const auto dim = std::find_if(children.rbegin(), children.rend(), [](const QQuickItem *c) {
        return c->isVisible() && c->opacity() > 0 && c->objectName().endsWith("Dim"_L1);
    });
    const qsizetype dimAt = dim == children.rend() ? -1 : children.rend() - dim - 1;
    for (qsizetype i = 0; i < children.size(); ++i)
        walk(children[i], window, shot, dpr, covered || i < dimAt, faults, texts);
}

// What breaks the four rules on the window as drawn now.
QStringList layoutFaults(QmlHarness &h, const QImage &shot)
{
    QQuickWindow *window = h.window();
    const QRectF bounds(0, 0, window->width(), window->height());
    QStringList faults;
    QList<DrawnText> texts;
    const QQuickItem *root = h.root();
    const bool modal = modalOpen(root);
    for (const QQuickItem *child : root->childItems())
        walk(child, bounds, shot, shot.width() / bounds.width(), modal && !inherits(child, "QQuickOverlay"), faults, texts);
    // Texts of one layer drawn over each other (more than a pixel's sliver).
    for (qsizetype i = 0; i < texts.size(); ++i)
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            const QRectF both = texts[i].ink & texts[j].ink;
            if (texts[i].layer == texts[j].layer && both.width() > 1.5 && both.height() > 1.5 &&
                !texts[i].item->isAncestorOf(texts[j].item) && !texts[j].item->isAncestorOf(texts[i].item))
                faults << u"texts drawn over each other: %1 and %2"_s.arg(describe(texts[i].item), describe(texts[j].item));
        }
    faults.removeDuplicates();
    return faults;
}

} // namespace

class PhoneWalkTest : public QObject
{
    Q_OBJECT
private slots:
    void everyScreenAt360x640()
    {
        QmlApp app; // (in Traditional Chinese, unless the run names another language)
        const QString language = qEnvironmentVariable("ZELK_WALK_LANGUAGE");
        if (!language.isEmpty())
            Localizer::instance().load({language});
        const QString folder = qEnvironmentVariable("ZELK_SCREENSHOT_DIR", QStringLiteral(ZELK_SCREENSHOT_DIR)) +
                               u"/phone-"_s + qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s) +
                               (language.isEmpty() ? QString() : u'-' + language);
        QVERIFY(QDir().mkpath(folder));
        QmlHarness &h = app.harness();
        QStringList faults;
        // Settles, saves the screenshot as <name> and records what breaks the rules on it.
        const auto check = [&](const QString &name) {
            h.settle();
            const QImage shot = h.window()->grabWindow();
            QVERIFY(!shot.isNull());
            QVERIFY(shot.save(folder + u'/' + name + u".png"_s));
            for (const QString &fault : layoutFaults(h, shot))
                faults << name + u": "_s + fault;
        };
        QVERIFY(app.load());
        h.window()->resize(360, 640);
        QVERIFY(app.launch());
        QTRY_COMPARE(h.window()->width(), 360);
        check(u"signin"_s);
        // The steps of tests/data/window/phone.json in turn ("back": the back key), each followed by a look at
        // the screen it leads to (none where only passed through).
        const std::pair<const char *, const char *> walk[] = {
            {"signIn", "home"}, {"types", "order_types"}, {"customers", "customers"}, {"header", "order_header"},
            {"picker", "picker"}, {"items", "order_items"}, {"materials", "materials"}, {"quantity", "quantity"},
            {"confirm", "order_confirm"}, {"placed", "order_placed"}, {"contracts", "contracts"},
            {"contractMaterials", "contract_materials"}, {"cart", "cart"}, {"back", nullptr}, {"leave", nullptr},
            // the longest customer and material names the gateway holds
            {"longestHeader", "order_header_longest"}, {"longestItem", "order_items_longest"}, {"longestLeft", nullptr},
            {"outbox", "outbox"}, {"query", "order_query"}, {"queryDetail", "order_detail"}, {"boards", "boards"},
            {"board", "board"}, {"composer", "board_composer"}, {"back", nullptr}, {"notifications", "notifications"},
            {"more", "more"}, {"about", "about"}, {"password", "password_change"}};
        for (const auto &[steps, screen] : walk) {
            if (qstrcmp(steps, "back") == 0)
                QTest::keyClick(h.window(), Qt::Key_Back);
            else
                QVERIFY(play(h, u"phone/"_s + QLatin1String(steps)));
            if (screen)
                check(QLatin1String(screen));
        }
        for (const QString &fault : std::as_const(faults))
            qWarning().noquote() << fault;
        QCOMPARE(faults.size(), 0);
    }
};

ZELK_TEST(PhoneWalkTest)
#include "PhoneWalkTest.moc"
