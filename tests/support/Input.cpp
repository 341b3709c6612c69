#include "Input.h"

#include <iterator>

#include "PointerEcho.h"
#include "SystemState.h"
#include "Wait.h"

namespace {

struct WindowSearch {
    DWORD processId;
    std::function<bool(HWND)> match;
    HWND found;
};

void SendKey(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    // The right Ctrl and Alt share their scan codes with the left ones: the
    // extended flag tells them apart.
    const bool extended = vk == VK_RCONTROL || vk == VK_RMENU;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &input, sizeof input);
}

}  // namespace

HWND FindTopLevel(DWORD processId, std::function<bool(HWND)> match) {
    WindowSearch search{processId, std::move(match), nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !s->match(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsDialogClass(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

HWND FindLockWindow() {
    return FindWindowW(L"#32770", L"quilmar");
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

int TextLength(HWND window) {
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

HWND FocusWindowOf(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

::testing::AssertionResult BringToFront(HWND window) {
    const ::testing::AssertionResult front = WaitFor(
        [window] {
            HWND foreground = GetForegroundWindow();
            if (foreground != window) SetForegroundWindow(window);
            return foreground;
        },
        Is(window));
    if (front) return front;
    return ::testing::AssertionFailure() << "the foreground window " << front.message() << ", not "
                                         << Describe(window);
}

namespace {

HWND ForegroundFocus(HWND foreground) {
    return FocusWindowOf(GetWindowThreadProcessId(foreground, nullptr));
}

std::string DescribeKeyboard(HWND foreground, HWND focus) {
    return "the foreground window " + Describe(foreground) + " with the focus on " + Describe(focus);
}

}  // namespace

std::string DescribeKeyboard() {
    HWND foreground = GetForegroundWindow();
    return DescribeKeyboard(foreground, ForegroundFocus(foreground));
}

void PressKey(WORD vk) {
    PressKeys({vk});
}

void PressKeys(std::initializer_list<WORD> chord) {
    for (WORD vk : chord) SendKey(vk, false);
    for (auto it = std::rbegin(chord); it != std::rend(chord); ++it) SendKey(*it, true);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT key = VkKeyScanW(c);
        if (key == -1) {
            // Not on the keyboard: send the character itself.
            INPUT input[2] = {};
            for (int i = 0; i < 2; ++i) {
                input[i].type = INPUT_KEYBOARD;
                input[i].ki.wScan = c;
                input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
            }
            SendInput(2, input, sizeof(INPUT));
        } else if (HIBYTE(key) & 1) {
            PressKeys({VK_SHIFT, static_cast<WORD>(LOBYTE(key))});
        } else {
            PressKey(LOBYTE(key));
        }
    }
}

namespace {

POINT CentreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

::testing::AssertionResult ClickWindow(HWND window) {
    const ::testing::AssertionResult there = MovePointer(CentreOf(window));
    LeftButton(true);
    LeftButton(false);
    return there;
}

void DoubleClickWindow(HWND window) {
    ClickWindow(window);
    LeftButton(true);
    LeftButton(false);
}

namespace {
// Where the pointer was last moved to. Every mouse event carries this place
// itself, so that no report of the pointer can send a click elsewhere.
POINT g_pointer = {};

void SendMouse(DWORD buttonFlags) {
    // As Wine maps absolute positions onto the primary screen.
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (g_pointer.x * 65536 + width - 1) / width;
    input.mi.dy = (g_pointer.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
    SendInput(1, &input, sizeof input);
}

// The top-level window under the point; null where only the desktop is.
HWND TopLevelAt(POINT screen) {
    HWND top = GetAncestor(WindowFromPoint(screen), GA_ROOT);
    return top == GetDesktopWindow() ? nullptr : top;
}
}  // namespace

// Wine hears of the pointer from the display, in the thread of the window
// under it and in the order the display tells it, and passes each report on
// as a mouse move of its own. A move sent through the system's queue is
// reported by the display too, late under load: that report could come in
// the middle of a click and take the button elsewhere. So the display itself
// moves the pointer, from the point beside to the point, so that there is
// always news, and the move is done once the thread's report of it has come
// through the hooks: by then the thread has taken in everything the display
// told it before. The thread answers once it has taken in the rest.
::testing::AssertionResult MovePointer(POINT screen) {
    g_pointer = screen;
    HWND top = TopLevelAt(screen);
    if (!top) {
        // Nothing there hears of the display.
        SetCursorPos(screen.x, screen.y);
        SendMouse(0);
        return ::testing::AssertionSuccess();
    }
    const PointerEcho echo(screen);
    // The display counts from the top left of all monitors.
    const std::wstring x = std::to_wstring(screen.x - GetSystemMetrics(SM_XVIRTUALSCREEN));
    const std::wstring beside = std::to_wstring(screen.x + 1 - GetSystemMetrics(SM_XVIRTUALSCREEN));
    const std::wstring y = std::to_wstring(screen.y - GetSystemMetrics(SM_YVIRTUALSCREEN));
    if (!StartUnixCommand(L"xdotool mousemove " + beside + L" " + y + L" mousemove " + x + L" " + y))
        return ::testing::AssertionFailure() << "xdotool did not start";
    if (!WaitFor([&echo] { return echo.Heard(); }))
        return ::testing::AssertionFailure() << Describe(top) << " reported no pointer moved to (" << screen.x
                                             << ", " << screen.y << ")";
    if (!SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr))
        return ::testing::AssertionFailure() << Describe(top) << " answered nothing for 30 s";
    return ::testing::AssertionSuccess();
}

void LeftButton(bool down) {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
}

::testing::AssertionResult WaitForKeysTo(HWND window, DWORD timeoutMs) {
    const auto keysGoTo = [window] {
        HWND foreground = GetForegroundWindow();
        HWND focus = ForegroundFocus(foreground);
        ::testing::AssertionResult seen = window && foreground == GetAncestor(window, GA_ROOT) && focus == window
                                              ? ::testing::AssertionSuccess()
                                              : ::testing::AssertionFailure();
        return seen << DescribeKeyboard(foreground, focus);
    };
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    ::testing::AssertionResult ready = ::testing::AssertionFailure();
    do {
        const ULONGLONG now = GetTickCount64();
        ready = WaitFor(keysGoTo, Is(true), now < end ? static_cast<DWORD>(end - now) : 0);
        if (!ready) break;
        // Once a window has the focus or the pointer, Wine sets the keys to
        // the state the display has, where no key a test sends is down: news
        // of the focus still to come would let go of a Shift held for its
        // letter, or an Alt for its Tab. A pointer move is done once the
        // thread has taken in everything before it; but the thread sends
        // the display what it asks for (the focus, say) only before it takes
        // in news, so a request still unsent at the first move is answered
        // before the second.
        for (int round = 0; round < 2; ++round) {
            if (::testing::AssertionResult news = MovePointer(CentreOf(window)); !news) return news;
        }
        // The news may have moved the keyboard elsewhere for a moment.
        ready = keysGoTo();
    } while (!ready && GetTickCount64() < end);
    if (ready) return ready;
    return ::testing::AssertionFailure() << "keys would not go to " << Describe(window) << ": " << ready.message();
}
