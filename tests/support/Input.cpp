#include "Input.h"

#include <iterator>

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

::testing::AssertionResult WaitForKeysTo(HWND window, DWORD timeoutMs) {
    const auto keysGoTo = [window] {
        HWND foreground = GetForegroundWindow();
        HWND focus = ForegroundFocus(foreground);
        ::testing::AssertionResult seen = window && foreground == GetAncestor(window, GA_ROOT) && focus == window
                                              ? ::testing::AssertionSuccess()
                                              : ::testing::AssertionFailure();
        return seen << DescribeKeyboard(foreground, focus);
    };
    const ::testing::AssertionResult ready = WaitFor(keysGoTo, Is(true), timeoutMs);
    if (ready) return ready;
    return ::testing::AssertionFailure() << "keys would not go to " << Describe(window) << ": " << ready.message();
}
