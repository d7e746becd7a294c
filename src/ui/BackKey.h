#pragma once
// The system back action: the phone's back gesture (which Qt delivers as Qt::Key_Back) and Escape on a
// keyboard go one step back, the step the visible controls offer:
//   1. an open date picker, picker, or alert or action sheet with a cancel button is cancelled (an
//      alert without one must be answered: the key does nothing);
//   2. else an open cart panel closes;
//   3. else the top screen's left bar button is tapped (its 取消, which asks 離開下單 where leaving would
//      lose the cart);
//   4. else a pushed page is popped, as its back button would;
//   5. else a screen presented over the tabs is dismissed.
// On the root of a tab, and while the spinner shows, it does nothing; it never ends the app. Installed on the window by installUi.
#include <QObject>

class Navigator;
class QmlUi;

class BackKey : public QObject
{
    Q_OBJECT
public:
    BackKey(QmlUi &ui, Navigator &navigator, QObject *parent = nullptr);

    // Takes one step back; false when there is none to take.
    bool stepBack();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QmlUi &m_ui;
    Navigator &m_navigator;
};
