#include "framework/ForgedMessages.h"

namespace {

bool OnlyTheSystemSends(UINT message) {
    switch (message) {
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_INITDIALOG:
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION: return true;
    default: return false;
    }
}

LRESULT CALLBACK FilterQueue(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && OnlyTheSystemSends(msg->message)) msg->message = WM_NULL;
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

void IgnorePostedSystemMessages() {
    // A hook of this thread alone: nothing is loaded into other programs.
    SetWindowsHookExW(WH_GETMESSAGE, FilterQueue, nullptr, GetCurrentThreadId());
}

bool IsForgedWindowMessage(UINT message) {
    switch (message) {
    case WM_INITDIALOG: return true;
    case WM_DESTROY:
    case WM_NCDESTROY: return InSendMessage() != FALSE;
    default: return false;
    }
}
