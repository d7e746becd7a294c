#include "ui/BackKey.h"

#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/QmlUi.h"
#include "ui/Screen.h"
#include "ui/SlideMenuController.h"
#include "ui/TabBarController.h"

#include <QKeyEvent>

BackKey::BackKey(QmlUi &ui, Navigator &navigator, QObject *parent) : QObject(parent), m_ui(ui), m_navigator(navigator) {}

bool BackKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Back && key != Qt::Key_Escape)
        return QObject::eventFilter(watched, event);
    // The step is taken once, on the press; the release goes nowhere else either.
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->isAutoRepeat())
        stepBack();
    return true;
}

bool BackKey::stepBack()
{
    // While the spinner shows the screen waits for an answer (a submission, say) and takes no tap: nor
    // does it take this key.
    if (m_ui.isSpinnerVisible())
        return false;
    // 1. What covers the screens.
    const QVariantMap datePicker = m_ui.datePickerForView();
    if (!datePicker.isEmpty()) {
        m_ui.cancelDatePicker(datePicker.value(QStringLiteral("id")).toInt());
        return true;
    }
    const QVariantMap picker = m_ui.pickerForView();
    if (!picker.isEmpty()) {
        m_ui.cancelPicker(picker.value(QStringLiteral("id")).toInt());
        return true;
    }
    const QVariantMap alert = m_ui.alertForView();
    if (!alert.isEmpty()) {
        const QVariantList buttons = alert.value(QStringLiteral("buttons")).toList();
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            if (buttons.at(i).toMap().value(QStringLiteral("style")) == QLatin1String("cancel")) {
                m_ui.answerAlert(alert.value(QStringLiteral("id")).toInt(), int(i), {});
                return true;
            }
        }
        return false;
    }
    Screen *visible = m_navigator.visibleScreen();
    if (!visible)
        return false;
    // 2. An open cart panel.
    if (SlideMenuController *slide = visible->slideMenuController(); slide && slide->isRightOpen()) {
        slide->closeRight();
        return true;
    }
    // 3. The top screen's own way out.
    if (!visible->leftBarButtons().isEmpty())
        return visible->triggerBarButton(QStringLiteral("left"), 0);
    // 4. A pushed page.
    NavigationController *stack = visible->navigationController();
    if (stack && stack->depth() > 1 && !visible->hidesBackButton()) {
        stack->goBack();
        return true;
    }
    // 5. A screen presented over the tabs (the tabs themselves, over the sign-in, stay).
    Screen *top = m_navigator.topScreen();
    if (top && top->presentingScreen() && !qobject_cast<TabBarController *>(top) && !top->isBeingDismissed()) {
        top->dismiss(true);
        return true;
    }
    return false;
}
