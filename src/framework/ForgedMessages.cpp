#include "framework/ForgedMessages.h"

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

bool IsForgedWindowMessage(UINT message) {
    switch (message) {
    case WM_INITDIALOG: return true;
    case WM_DESTROY:
    case WM_NCDESTROY: return InSendMessage() != FALSE;
    default: return false;
    }
}
