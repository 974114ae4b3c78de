#include "toolkit/event_queue.h"

void EventQueue::Push(const Event& event) {
    if (!waiting_.empty() && waiting_.back() == event) {
        return;
    }
    waiting_.push_back(event);
}

bool EventQueue::Pop(Event& event) {
    if (waiting_.empty()) {
        return false;
    }
    event = waiting_.front();
    waiting_.pop_front();
    return true;
}
