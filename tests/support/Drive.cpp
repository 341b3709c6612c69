#include "Drive.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "res/resource.h"

namespace {

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

bool CopyInto(const std::wstring& folder, const wchar_t* name) {
    return CopyFileW((DistDir() + L"\\" + name).c_str(), (folder + L"\\" + name).c_str(), FALSE);
}

struct WindowSearch {
    DWORD processId;
    std::function<bool(HWND)> match;
    HWND found;
};

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

void SendKey(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

}  // namespace

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    return WaitFor(condition, [](MSG& msg) { DispatchMessageW(&msg); }, timeoutMs);
}

bool WaitFor(const std::function<bool()>& condition, const std::function<void(MSG&)>& handle, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        // Keep this thread's own windows (if any) answering while waiting.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) handle(msg);
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        // A message for the thread ends the pause early.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                                  QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    WaitFor([] { return false; }, ms);
}

std::wstring DistDir() {
    return QUILMAR_DIST_DIR;
}

std::wstring MakeTempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        std::wstring dir = std::wstring(base) + L"quilmar-" + std::to_wstring(GetCurrentProcessId()) +
                           L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(dir.c_str(), nullptr)) return dir;
    }
}

void RemoveTree(const std::wstring& dir) {
    std::wstring from = dir + L'\0';  // the shell wants a double-terminated list
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

Locker::Locker(std::wstring folder) : m_folder(std::move(folder)) {
    CreateDirectoryW(m_folder.c_str(), nullptr);
    CopyInto(m_folder, L"quilmar.exe");
    CopyInto(m_folder, L"TaskKeyHook.dll");
}

Locker::~Locker() {
    Close();
}

bool Locker::Start() {
    std::wstring command = L"\"" + m_folder + L"\\quilmar.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          m_folder.c_str(), &startup, &m_info);
}

HWND Locker::WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindTopLevel(m_info.dwProcessId, [&](HWND w) {
                return IsDialogClass(w) && IsWindowVisible(w) && match(w);
            });
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND Locker::WaitForLockWindow() {
    return WaitForWindow([](HWND w) {
        return WindowText(w) == L"quilmar" && (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    });
}

HWND Locker::WaitForDialog(int controlId, DWORD timeoutMs) {
    return WaitForWindow([controlId](HWND w) { return GetDlgItem(w, controlId) != nullptr; }, timeoutMs);
}

HWND Locker::WaitForMessageBox(HWND owner, DWORD timeoutMs) {
    return WaitForWindow(
        [owner](HWND w) {
            return GetWindow(w, GW_OWNER) == owner && GetDlgItem(w, 0xFFFF);  // the message text
        },
        timeoutMs);
}

bool Locker::WaitForExit(DWORD timeoutMs) {
    return !m_info.hProcess || WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool Locker::Running() const {
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Locker::FocusWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(m_info.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

void Locker::Close() {
    if (HWND lock = Running() ? FindTopLevel(m_info.dwProcessId, [](HWND w) {
                                    return IsDialogClass(w) && WindowText(w) == L"quilmar";
                                })
                              : nullptr) {
        SendMessageTimeoutW(lock, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, nullptr);
        SendMessageTimeoutW(lock, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, nullptr);
    }
    Kill();
}

void Locker::Kill() {
    if (!m_info.hProcess) return;
    const KernelHandle process(m_info.hProcess), thread(m_info.hThread);
    if (Running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
    m_info = {};
}

HWND FindLockWindow() {
    return FindWindowW(L"#32770", L"quilmar");
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

bool BringToFront(HWND window) {
    return WaitFor([window] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
    });
}

std::vector<COLORREF> CaptureScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const WindowDC screen(nullptr);
    const MemoryDC memory(CreateCompatibleDC(screen));
    const GdiObject<HBITMAP> bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const CSelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    const auto* bgrx = static_cast<const BYTE*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]);
    return pixels;
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

std::wstring DesktopFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOP, FALSE);
    return path;
}

bool ReadShellLink(const std::wstring& file, ShellLink& link) {
    const ComApartment com;
    bool read = false;
    ComPtr<IShellLinkW> shellLink;
    ComPtr<IPersistFile> persist;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   shellLink.Out())) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, persist.Out())) &&
        SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
        wchar_t text[6][MAX_PATH] = {};
        int icon = 0;
        PIDLIST_ABSOLUTE items = nullptr;
        if (SUCCEEDED(shellLink->GetIDList(&items)) && items) {
            SHGetPathFromIDListW(items, text[0]);
            CoTaskMemFree(items);
        }
        shellLink->GetPath(text[1], MAX_PATH, nullptr, SLGP_RAWPATH);
        shellLink->GetDescription(text[2], MAX_PATH);
        shellLink->GetArguments(text[3], MAX_PATH);
        shellLink->GetWorkingDirectory(text[4], MAX_PATH);
        shellLink->GetIconLocation(text[5], MAX_PATH, &icon);
        link = {text[0], text[1], text[2], text[3], text[4], text[5]};
        read = true;
    }
    return read;
}

HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs) {
    HWND menu = nullptr;
    WaitFor(
        [&] {
            menu = FindTopLevel(processId, [](HWND w) {
                wchar_t name[16] = {};
                GetClassNameW(w, name, 16);
                return std::wstring(name) == L"#32768" && IsWindowVisible(w);
            });
            return menu != nullptr;
        },
        timeoutMs);
    return menu;
}

bool CreateShortcutFromSettings(HWND settings) {
    const std::wstring link = DesktopFolder() + L"\\Quilmar.LNK";
    DWORD processId = 0;
    GetWindowThreadProcessId(settings, &processId);
    if (!BringToFront(settings)) return false;
    ClickWindow(GetDlgItem(settings, IDC_MORE));
    if (!WaitForPopupMenu(processId)) return false;
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ShellLink read;
    return WaitFor([&] { return ReadShellLink(link, read); });
}

bool PolicyValueSet(const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, kPolicyKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS &&
           value == 1;
}

void SetPolicyValue(const wchar_t* name) {
    const DWORD one = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, kPolicyKey, name, REG_DWORD, &one, sizeof one);
}

void DeletePolicyValues() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPolicyKey, L"DisableTaskMgr");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPolicyKey, L"DisableLockWorkstation");
}

HWND Taskbar() {
    return FindWindowW(L"Shell_TrayWnd", nullptr);
}

bool WaitForTaskbar() {
    static HWND anchor = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         nullptr, nullptr);
    return anchor && WaitFor([] { return Taskbar() != nullptr; });
}

namespace {
// A process keeps the system parameters it has read or set, so the
// screensaver setting is read and set by a newly started process.
DWORD RunDrive(const wchar_t* arguments) {
    std::wstring command = std::wstring(L"\"") + QUILMAR_DRIVE_EXE + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return ~0u;
    const KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}
}  // namespace

bool ScreenSaverActive() {
    return RunDrive(L"screensaver-active") == 0;
}

void SetScreenSaverActive(bool active) {
    RunDrive(active ? L"set-screensaver 1" : L"set-screensaver 0");
}

ForeignWindow::ForeignWindow(const wchar_t* className, bool shown)
    : m_className(className), m_shown(shown), m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    m_thread.reset(CreateThread(nullptr, 0, &ForeignWindow::Run, this, 0, nullptr));
    WaitForSingleObject(m_ready.get(), INFINITE);
}

ForeignWindow::~ForeignWindow() {
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    WaitForSingleObject(m_thread.get(), INFINITE);
}

namespace {
// Asks a foreign window's own thread to take the foreground: activation
// asked from another thread would come some time later.
const UINT kTakeForegroundMessage = WM_APP;
}  // namespace

void ForeignWindow::TakeForeground() {
    SendMessageW(m_window, kTakeForegroundMessage, 0, 0);
}

DWORD WINAPI ForeignWindow::Run(LPVOID param) {
    auto* self = static_cast<ForeignWindow*>(param);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &ForeignWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = self->m_className;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);  // fails harmlessly when an earlier window registered it
    self->m_window = CreateWindowExW(
        self->m_shown ? WS_EX_TOPMOST : 0, self->m_className, L"", WS_POPUP | (self->m_shown ? WS_VISIBLE : 0), 0,
        0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(self->m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetTimer(self->m_window, 1, 5, nullptr);
    SetEvent(self->m_ready.get());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

LRESULT CALLBACK ForeignWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ForeignWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: InterlockedIncrement(&self->m_keys); break;
    case WM_LBUTTONDOWN: InterlockedIncrement(&self->m_clicks); break;
    case WM_TIMER:
        if (!self->m_steal) return 0;
        [[fallthrough]];
    case kTakeForegroundMessage:
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {
// The hook procedure has no context pointer: one probe at a time.
CriticalSection g_probeLock;
std::wstring g_probeKeys;  // virtual keys seen going down
const WORD kSyncKey = VK_F24;
}  // namespace

KeyProbe::KeyProbe() {
    const KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_thread.reset(CreateThread(nullptr, 0, &KeyProbe::Run, ready.get(), 0, &m_threadId));
    WaitForSingleObject(ready.get(), INFINITE);
}

KeyProbe::~KeyProbe() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_thread.get(), INFINITE);
    Clear();
}

DWORD WINAPI KeyProbe::Run(LPVOID ready) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, &KeyProbe::Hook, GetModuleHandleW(nullptr), 0);
    SetEvent(static_cast<HANDLE>(ready));
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    return 0;
}

LRESULT CALLBACK KeyProbe::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && !(key->flags & LLKHF_UP)) {
        const CSectionLock lock(g_probeLock);
        g_probeKeys.push_back(static_cast<wchar_t>(key->vkCode));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool KeyProbe::SawKeyDown(DWORD vk) const {
    const CSectionLock lock(g_probeLock);
    return g_probeKeys.find(static_cast<wchar_t>(vk)) != std::wstring::npos;
}

bool KeyProbe::Sync() {
    PressKey(kSyncKey);
    const bool seen = WaitFor([this] { return SawKeyDown(kSyncKey); });
    const CSectionLock lock(g_probeLock);
    g_probeKeys.erase(std::remove(g_probeKeys.begin(), g_probeKeys.end(), kSyncKey), g_probeKeys.end());
    return seen;
}

void KeyProbe::Clear() {
    const CSectionLock lock(g_probeLock);
    g_probeKeys.clear();
}
