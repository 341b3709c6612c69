#include "Locker.h"

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
    const KernelHandle process(m_info.hProcess), thread(m_info.hThread);
    if (Running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
    m_info = {};
}
