#pragma once
// Main content with a right-hand panel that slides in over it. The panel opens and closes by call or,
// while gestures are on, by dragging from the right edge. The delegate is told will-open before the
// panel moves and did-open when it has arrived (likewise for closing); a change of direction midway
// cancels the pending "did" of the earlier move.
#include <QtQml/qqmlregistration.h>
#include "ui/Screen.h"
#include "ui/SlideMenuControllerDelegate.h"

class SlideMenuController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    Q_PROPERTY(Screen *mainViewController READ mainViewController CONSTANT)
    Q_PROPERTY(Screen *rightViewController READ rightViewController CONSTANT)
    Q_PROPERTY(qreal rightPanelWidth READ rightPanelWidth CONSTANT)
    Q_PROPERTY(bool rightOpen READ isRightOpen NOTIFY rightOpenChanged)
    Q_PROPERTY(bool rightGesturesEnabled READ rightGesturesEnabled NOTIFY rightGesturesEnabledChanged)

public:
    SlideMenuController(Screen *main, Screen *rightPanel, qreal rightPanelWidth = 270, QObject *parent = nullptr);

    QString kind() const override { return QStringLiteral("slideMenu"); }

    Screen *mainViewController() const { return m_main; }
    Screen *rightViewController() const { return m_right; }
    qreal rightPanelWidth() const { return m_rightWidth; }

    void setDelegate(SlideMenuControllerDelegate *delegate);
    SlideMenuControllerDelegate *delegate() const;

    // Open or opening.
    bool isRightOpen() const { return m_state == State::Opening || m_state == State::Open; }
    // Fully open (the "did open" has been told).
    bool isRightFullyOpen() const { return m_state == State::Open; }
    Q_INVOKABLE void openRight();
    Q_INVOKABLE void closeRight();
    Q_INVOKABLE void toggleRight();

    bool rightGesturesEnabled() const { return m_rightGestures; }
    void addRightGestures();
    void removeRightGestures();

    QList<Screen *> visibleChildScreens() const override;

signals:
    void rightOpenChanged();
    void rightGesturesEnabledChanged();

private:
    enum class State { Closed, Opening, Open, Closing };
    void move(bool open);

    QPointer<Screen> m_main;
    QPointer<Screen> m_right;
    qreal m_rightWidth;
    SlideMenuControllerDelegate *m_delegate = nullptr;
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;
    State m_state = State::Closed;
    int m_moveGeneration = 0;
    bool m_rightGestures = true;
};
