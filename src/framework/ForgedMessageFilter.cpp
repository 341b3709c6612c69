#include "framework/ForgedMessageFilter.h"

#include "framework/ForgedMessages.h"

namespace {

// One hook for all the filters held on a thread at once.
thread_local int t_nHolders = 0;
thread_local HHOOK t_hHook = nullptr;

LRESULT CALLBACK FilterQueue(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && OnlyTheSystemSends(msg->message)) msg->message = WM_NULL;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

ForgedMessageFilter::ForgedMessageFilter() {
    // A hook of this thread alone: nothing is loaded into other programs.
    if (t_nHolders++ == 0) t_hHook = SetWindowsHookExW(WH_GETMESSAGE, FilterQueue, nullptr, GetCurrentThreadId());
}

ForgedMessageFilter::~ForgedMessageFilter() {
    if (--t_nHolders > 0 || !t_hHook) return;
    UnhookWindowsHookEx(t_hHook);
    t_hHook = nullptr;
}
