#pragma once
// Waiting without burning the processor: every wait sleeps in the event loop until something
// happens (port data, a timer, the window), so the window stays alive and the processor idle.

#include <functional>

class QTimer;

// Lets pending events run once, without sleeping.
void yieldOnce();
// A stop asked for from outside the exchange under way (Ctrl-C, SIGTERM, the window closing):
// every wait returns at once, and the link ends its exchange and sends nothing more. The reason
// is the signal number, or any other non-zero value. Safe to call from a signal handler.
void requestStop(int reason);
int stopRequested();  // 0 when no stop was asked for
void clearStop();
// Sleeps in the event loop until done() holds, the guard timer has stopped, or a stop is asked.
void waitWhile(const QTimer& guard, const std::function<bool()>& done);
// Sleeps in the event loop for ms milliseconds.
void pauseFor(int ms);
