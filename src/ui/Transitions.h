#pragma once
// When a transition of the screen graph ends. In the app an animated transition lasts the animation
// duration the QML views also use; headless the duration is 0, so every transition ends on the next
// turn of the event loop. Never synchronously: callers may rely on their code after present()/push()
// running before the completion.
#include <QObject>

#include <functional>

class Transitions
{
public:
    static int animationDuration();
    static void setAnimationDuration(int ms);

    // Runs `finish` when a transition started now ends; not at all when `context` has gone.
    static void run(bool animated, QObject *context, std::function<void()> finish);
};
