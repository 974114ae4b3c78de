#include "toolkit/event_queue.h"

#include <gtest/gtest.h>

namespace {

Event Slider(int control) { return {event_code::kControl, 0, 0, control, 0}; }
Event CloseOf(int window) { return {event_code::kClose, window, 0, 0, 0}; }

std::vector<Event> Drain(EventQueue& queue) {
    std::vector<Event> events;
    Event event;
    while (queue.Pop(event)) {
        events.push_back(event);
    }
    return events;
}

TEST(EventQueue, HandsOutEventsOldestFirst) {
    EventQueue queue;
    queue.Push(Slider(6));
    queue.Push(CloseOf(3));
    queue.Push(Slider(10));
    EXPECT_EQ(Drain(queue), (std::vector<Event>{Slider(6), CloseOf(3), Slider(10)}));
    Event event;
    EXPECT_FALSE(queue.Pop(event));
}

TEST(EventQueue, MergesARepeatOfTheNewestWaitingEvent) {
    EventQueue queue;
    for (int i = 0; i < 50; ++i) {
        queue.Push(Slider(6));
    }
    EXPECT_EQ(Drain(queue), std::vector<Event>{Slider(6)});
}

TEST(EventQueue, KeepsRepeatsThatAreNotAdjacentOrDifferInAnyField) {
    EventQueue queue;
    queue.Push(Slider(6));
    queue.Push(CloseOf(1));
    queue.Push(Slider(6)); // the newest waiting event is the close, so this one stays
    Event focusLost{event_code::kControl, 0, 0, 10, event_type::kFocusLost};
    Event focusGained{event_code::kControl, 0, 0, 10, event_type::kFocusGained};
    queue.Push(focusLost);
    queue.Push(focusGained);
    queue.Push(focusLost);
    EXPECT_EQ(Drain(queue).size(), 6u);
}

TEST(EventQueue, AcceptsAnEventAgainOnceItsTwinWasTaken) {
    EventQueue queue;
    queue.Push(CloseOf(3));
    Event event;
    ASSERT_TRUE(queue.Pop(event));
    queue.Push(CloseOf(3));
    EXPECT_EQ(Drain(queue), std::vector<Event>{CloseOf(3)});
}

} // namespace
