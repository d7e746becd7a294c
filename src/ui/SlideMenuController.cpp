#include "ui/SlideMenuController.h"

#include "ui/Transitions.h"

SlideMenuController::SlideMenuController(Screen *main, Screen *rightPanel, qreal rightPanelWidth,
                                         QObject *parent)
    : Screen(parent), m_main(main), m_right(rightPanel), m_rightWidth(rightPanelWidth)
{
    if (main)
        adoptChild(main);
    if (rightPanel)
        adoptChild(rightPanel);
}

void SlideMenuController::setDelegate(SlideMenuControllerDelegate *delegate)
{
    m_delegate = delegate;
    m_delegateObject = dynamic_cast<QObject *>(delegate);
    m_delegateIsObject = m_delegateObject != nullptr;
}

SlideMenuControllerDelegate *SlideMenuController::delegate() const
{
    if (m_delegateIsObject && !m_delegateObject)
        return nullptr;
    return m_delegate;
}

void SlideMenuController::openRight() { move(true); }

void SlideMenuController::closeRight() { move(false); }

void SlideMenuController::toggleRight() { move(!isRightOpen()); }

void SlideMenuController::move(bool open)
{
    if (open == isRightOpen() || !m_right)
        return;
    if (auto *d = delegate())
        open ? d->rightWillOpen() : d->rightWillClose();
    m_state = open ? State::Opening : State::Closing;
    emit rightOpenChanged();
    const bool shown = isVisible();
    if (shown)
        m_right->beginAppearance(open, true);
    const int generation = ++m_moveGeneration;
    Transitions::run(true, this, [this, open, shown, generation] {
        if (generation != m_moveGeneration)
            return; // turned around midway
        m_state = open ? State::Open : State::Closed;
        if (shown && m_right)
            m_right->endAppearance(open);
        if (auto *d = delegate())
            open ? d->rightDidOpen() : d->rightDidClose();
    });
}

void SlideMenuController::addRightGestures()
{
    if (m_rightGestures)
        return;
    m_rightGestures = true;
    emit rightGesturesEnabledChanged();
}

void SlideMenuController::removeRightGestures()
{
    if (!m_rightGestures)
        return;
    m_rightGestures = false;
    emit rightGesturesEnabledChanged();
}

QList<Screen *> SlideMenuController::visibleChildScreens() const
{
    QList<Screen *> list;
    if (m_main)
        list.append(m_main);
    if (m_right && m_state != State::Closed)
        list.append(m_right);
    return list;
}
