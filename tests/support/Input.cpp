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

namespace {

GUITHREADINFO GuiThreadInfo(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(threadId, &info);
    return info;
}

}  // namespace

HWND FocusWindowOf(DWORD threadId) {
    return GuiThreadInfo(threadId).hwndFocus;
}

HWND CaptureOf(DWORD threadId) {
    return GuiThreadInfo(threadId).hwndCapture;
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

void ClickWindow(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MovePointer({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    LeftButton(true);
    LeftButton(false);
}

void DoubleClickWindow(HWND window) {
    ClickWindow(window);
    LeftButton(true);
    LeftButton(false);
}

namespace {
// Where the pointer was last moved to. Every mouse event carries this place
// itself: a pointer report from the display that arrives late in another
// process must not send a click somewhere else.
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
}  // namespace

void MovePointer(POINT screen) {
    g_pointer = screen;
    SetCursorPos(screen.x, screen.y);
    // A move to where it is, so the window under the pointer hears of it.
    SendMouse(0);
}

void LeftButton(bool down) {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
}

namespace {

// Wine hears of the pointer and the keyboard focus from the display, in the
// thread of the window concerned and in the order the display tells it.
// When a window gets the focus or the pointer, it sets the keys to the
// state the display has, where no key a test sends is ever down: a key
// held meanwhile, a Shift before its letter or an Alt before its Tab, is
// let go. Waits until the thread of `window` has taken in what the display
// told it before: another program of the display moves the pointer inside
// the window, which is news to Wine, and the thread reports that news with
// a mouse move of its own once it has taken in the earlier news; it
// answers once it has taken in what came with it.
::testing::AssertionResult TakeInDisplayNews(HWND window) {
    static int s_nRound = 0;
    RECT item;
    GetWindowRect(window, &item);
    // Not where the pointer is already, or the thread has nothing to report.
    const POINT mark = {(item.left + item.right) / 2 + 1 + s_nRound++ % 8, (item.top + item.bottom) / 2};
    const PointerEcho echo(mark);
    // The display counts from the top left of all monitors.
    if (!StartUnixCommand(L"xdotool mousemove " + std::to_wstring(mark.x - GetSystemMetrics(SM_XVIRTUALSCREEN)) +
                          L" " + std::to_wstring(mark.y - GetSystemMetrics(SM_YVIRTUALSCREEN))))
        return ::testing::AssertionFailure() << "xdotool did not start";
    HWND top = GetAncestor(window, GA_ROOT);
    if (!WaitFor([&echo] { return echo.Heard(); }))
        return ::testing::AssertionFailure() << Describe(top) << " reported no pointer moved by the display";
    g_pointer = mark;
    if (!SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr))
        return ::testing::AssertionFailure() << Describe(top) << " answered nothing for 30 s";
    return ::testing::AssertionSuccess();
}

}  // namespace

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
        // The thread sends the display what it asks for (the focus for a
        // window, say) only before it takes in news: a request still unsent
        // when the pointer moved is answered after that news, but one sent
        // by then is answered before the pointer's second move.
        for (int round = 0; round < 2; ++round) {
            if (::testing::AssertionResult news = TakeInDisplayNews(window); !news) return news;
        }
        // The news may have moved the keyboard elsewhere for a moment.
        ready = keysGoTo();
    } while (!ready && GetTickCount64() < end);
    if (ready) return ready;
    return ::testing::AssertionFailure() << "keys would not go to " << Describe(window) << ": " << ready.message();
}
