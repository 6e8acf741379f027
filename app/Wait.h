#pragma once
// Waiting without burning the processor: every wait sleeps in the event loop until something
// happens (port data, a timer, the window), so the window stays alive and the processor idle.

#include <functional>

class QTimer;

// Lets pending events run once, without sleeping.
void yieldOnce();
// Sleeps in the event loop until done() holds or the guard timer has stopped.
void waitWhile(const QTimer& guard, const std::function<bool()>& done);
// Sleeps in the event loop for ms milliseconds.
void pauseFor(int ms);
