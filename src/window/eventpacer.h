// Lets the window repaint during long work without letting the repainting set the pace: events
// are processed at most once per interval, however many steps the work takes.
#pragma once

#include <QElapsedTimer>

namespace tallimark {

class EventPacer
{
public:
    explicit EventPacer(int intervalMs = 50) : m_intervalMs(intervalMs) { }

    // Processes pending events now, and starts a new interval.
    void processEvents();
    // Whether the interval since the last time has passed.
    bool isDue() const;
    // Processes pending events when it is due.
    void processEventsWhenDue();

private:
    int m_intervalMs;
    QElapsedTimer m_sinceLast;
};

} // namespace tallimark
