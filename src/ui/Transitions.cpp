#include "ui/Transitions.h"

#include <QTimer>

namespace {
int g_animationDurationMs = 0;
}

int Transitions::animationDuration() { return g_animationDurationMs; }

void Transitions::setAnimationDuration(int ms) { g_animationDurationMs = ms < 0 ? 0 : ms; }

void Transitions::run(bool animated, QObject *context, std::function<void()> finish)
{
    const int ms = animated ? g_animationDurationMs : 0;
    QTimer::singleShot(ms, context, std::move(finish));
}
