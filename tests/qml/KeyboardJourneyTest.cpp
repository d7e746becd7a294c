// The on-screen keyboard at a phone's size: with Qt Virtual Keyboard drawn in the 360 × 640 window
// (QT_IM_MODULE=qtvirtualkeyboard, the ctest entry "keyboard.KeyboardJourneyTest"), each field a rep types
// into rises above the keyboard with the button that sends what was typed: the account on sign-in, the
// quantity of an order line, the search of the material list and the board composer. Screenshots go to
// build/screenshots/keyboard_*.png.
#include "QmlHarness.h"
#include "TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Taps the field (unless `tapFirst` is false: it has the focus already); the keyboard drawn in the window
// rises and leaves the field and its buttons wholly inside the window above it.
void typeAboveKeyboard(QmlHarness &h, const QString &field, const QStringList &buttons, const char *text,
                       const QString &shot, bool tapFirst = true)
{
    QVERIFY(!tapFirst || tap(h, field));
    QQuickItem *keyboard = h.find(u"keyboardPanel"_s);
    const bool risen = QTest::qWaitFor([&] {
        return keyboard && keyboard->property("active").toBool() &&
               qAbs(keyboard->y() + keyboard->height() - h.window()->height()) < 0.5;
    }, 5000);
    QVERIFY2(risen, qPrintable(field));
    h.settle();
    QTRY_VERIFY2(h.find(field)->hasActiveFocus(), qPrintable(field));
    QStringList covered;
    const qreal top = keyboard->mapToScene(QPointF(0, 0)).y();
    for (const QString &name : QStringList{field} + buttons) {
        QQuickItem *item = h.find(name);
        const QRectF box = item ? item->mapRectToScene(QRectF(0, 0, item->width(), item->height())) : QRectF();
        if (!item || box.top() < -0.5 || box.bottom() > top + 0.5 || box.left() < -0.5 || box.right() > h.window()->width() + 0.5)
            covered << u"%1 at %2..%3 (keyboard from %4)"_s.arg(name).arg(box.top()).arg(box.bottom()).arg(top);
    }
    QVERIFY2(covered.isEmpty(), qPrintable(covered.join(u"; "_s)));
    QVERIFY(!h.screenshot(u"keyboard_"_s + shot).isEmpty());
    typeText(h.window(), text);
}

} // namespace

class KeyboardJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void fieldsStayAboveTheKeyboard()
    {
        QVERIFY2(qgetenv("QT_IM_MODULE") == "qtvirtualkeyboard",
                 "runs with QT_IM_MODULE=qtvirtualkeyboard (the ctest entry keyboard.KeyboardJourneyTest)");
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.load());
        h.window()->resize(360, 640);
        // The input method serves the focused item of the active window only.
        h.window()->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(h.window()));
        QVERIFY(app.launch());

        typeAboveKeyboard(h, u"userNameTextField"_s, {u"passwordTextField"_s, u"loginButton"_s}, "demo", u"signin"_s);
        QCOMPARE(textOf(h, "userNameTextField"), u"demo"_s);
        typeAboveKeyboard(h, u"passwordTextField"_s, {u"loginButton"_s}, "demo123", u"password"_s);
        QVERIFY(tap(h, u"loginButton"_s));
        for (const char *steps : {"phone/types", "phone/customers", "phone/header", "phone/picker", "keyboard/items",
                                  "phone/materials"})
            QVERIFY(play(h, QLatin1String(steps)));
        // The search of the material list, with the list's 完成 at its foot.
        typeAboveKeyboard(h, u"selectDataSearchField"_s, {u"selectDataEndEditButton"_s}, "10000101", u"search"_s);
        QVERIFY(play(h, "keyboard/quantityAlert"));
        // The quantity alert opens with its field focused: the alert stands above the keyboard.
        typeAboveKeyboard(h, u"alertField_0"_s, {u"alertButton_確定"_s}, "8", u"quantity"_s, false);
        // Quantities may have decimals (tons): the number keys with a decimal point.
        QCOMPARE(h.find(u"alertField_0"_s)->property("inputMethodHints").toInt() & Qt::ImhFormattedNumbersOnly,
                 int(Qt::ImhFormattedNumbersOnly));
        QVERIFY(play(h, "keyboard/quantityTaken"));

        QVERIFY(play(h, "keyboard/composer"));
        typeAboveKeyboard(h, u"newMessageTextView"_s, {u"sendButton"_s}, "Gate 3", u"composer"_s);
        QCOMPARE(textOf(h, "newMessageTextView"), u"Gate 3"_s);
    }
};

ZELK_TEST(KeyboardJourneyTest)
#include "KeyboardJourneyTest.moc"
