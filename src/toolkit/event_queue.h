#pragma once

#include "toolkit/event.h"

#include <deque>

// Events raised by window procedures, waiting for the main loop's poll. A burst of identical
// events (a track bar dragged, a window asked to close twice) collapses into one while the
// loop has not caught up, so the loop never works through a backlog of stale repeats.
class EventQueue {
public:
    // Appends the event unless it equals the newest event still waiting.
    void Push(const Event& event);
    // Takes the oldest waiting event; false when none waits.
    bool Pop(Event& event);
    bool Empty() const { return waiting_.empty(); }
    void Clear() { waiting_.clear(); }

private:
    std::deque<Event> waiting_;
};
