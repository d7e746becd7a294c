#pragma once
// The main thread's longest stall while something runs: a 1 ms precise timer on the main thread notes
// every tick, and the longest gap between two ticks is the stall. Shared by the benchmarks.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

// Runs `start` once the ticks go, waits until `finished` holds (up to a minute) and 20 ms more, and gives
// the longest gap between ticks from `start` on, in milliseconds.
inline qint64 longestStall(const std::function<void()> &start, const std::function<bool()> &finished)
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0, longest = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    ticks.start(1);
    QTest::qWait(20);
    lastTick = clock.elapsed();
    longest = 0;
    start();
    if (!QTest::qWaitFor(finished, 60000))
        qWarning("not finished within a minute");
    QTest::qWait(20);
    return longest;
}
