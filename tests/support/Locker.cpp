#include "Locker.h"

#include <tlhelp32.h>

#include "Files.h"
#include "Input.h"
#include "Wait.h"
#include "framework/ScopedHandles.h"

namespace {

bool CopyInto(const std::wstring& folder, const wchar_t* name) {
    return CopyFileW((DistDir() + L"\\" + name).c_str(), (folder + L"\\" + name).c_str(), FALSE);
}

}  // namespace

Locker::Locker(std::wstring folder) : m_folder(std::move(folder)) {
    CreateDirectoryW(m_folder.c_str(), nullptr);
    CopyInto(m_folder, L"quilmar.exe");
    CopyInto(m_folder, L"TaskKeyHook.dll");
}

Locker::~Locker() {
    Close();
    // A watchdog has no more to do once its lock is gone.
    if (!WaitForWatchdogExit(10000)) KillWatchdog();
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
    return FocusWindowOf(m_info.dwThreadId);
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
    Watchdog();  // found while its parent's id still names it
    const KernelHandle process(m_info.hProcess), thread(m_info.hThread);
    if (Running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
    m_info = {};
}

// The watchdog is the program's one child, the program itself again.
HANDLE Locker::Watchdog() {
    if (m_watchdog || !m_info.dwProcessId) return m_watchdog.get();
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == m_info.dwProcessId && _wcsicmp(entry.szExeFile, L"quilmar.exe") == 0) {
            m_watchdog.reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
            break;
        }
    }
    return m_watchdog.get();
}

bool Locker::WaitForWatchdogExit(DWORD timeoutMs) {
    HANDLE watchdog = Watchdog();
    return !watchdog || WaitForSingleObject(watchdog, timeoutMs) == WAIT_OBJECT_0;
}

void Locker::KillWatchdog() {
    if (HANDLE watchdog = Watchdog()) {
        TerminateProcess(watchdog, 1);
        WaitForSingleObject(watchdog, 10000);
    }
}
