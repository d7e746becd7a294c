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
    if (const int id = m_ui.datePickerId()) {
        m_ui.cancelDatePicker(id);
        return true;
    }
    if (const int id = m_ui.pickerId()) {
        m_ui.cancelPicker(id);
        return true;
    }
    if (const int id = m_ui.alertId()) {
        const int cancel = m_ui.alertButtonOfStyle(AlertButton::Style::Cancel);
        if (cancel < 0)
            return false;
        m_ui.answerAlert(id, cancel, {});
        return true;
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
