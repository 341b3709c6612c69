#pragma once
// While one of these lives on a thread, forged copies of the messages only
// the system sends (ForgedMessages.h) that arrive through the thread's
// message queue turn into WM_NULL before any loop of the thread dispatches
// them: those of message boxes, menus and COM, which know nothing of ours.
// Our own loop drops them by itself. A filter on the queue is asked about
// every message taken from it, which under Wine is a call to the wineserver
// each time, so it is held only while a loop of the system's may run.
class ForgedMessageFilter {
public:
    // On the thread whose queue it filters, until it goes.
    ForgedMessageFilter();
    ~ForgedMessageFilter();
    ForgedMessageFilter(const ForgedMessageFilter&) = delete;
    ForgedMessageFilter& operator=(const ForgedMessageFilter&) = delete;
};
