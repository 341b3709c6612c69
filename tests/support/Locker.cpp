#include "Locker.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

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

namespace {

const wchar_t kWatchdogProgram[] = L"rundll32.exe";

std::vector<PROCESSENTRY32W> Processes() {
    std::vector<PROCESSENTRY32W> found;
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        found.push_back(entry);
    return found;
}

// The processes of the session that run `program` now.
std::vector<PROCESSENTRY32W> ProcessesOf(const wchar_t* program) {
    std::vector<PROCESSENTRY32W> found = Processes();
    found.erase(std::remove_if(found.begin(), found.end(),
                               [&](const PROCESSENTRY32W& entry) { return _wcsicmp(entry.szExeFile, program) != 0; }),
                found.end());
    return found;
}

void EndProcess(DWORD id) {
    const KernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
    if (process && TerminateProcess(process.get(), 1)) WaitForSingleObject(process.get(), 10000);
}

// Wine carries out no LockWorkStation, but traces each call in its
// "graphics" channel, which little else of a lock writes to, on the
// standard error of the process that made it, with the process's id. The
// processes that process starts inherit the trace with the environment.
// Wine writes it where the test's own output goes.
std::wstring EnvironmentWithCallTrace() {
    std::wstring block;
    wchar_t* const strings = GetEnvironmentStringsW();
    for (const wchar_t* v = strings; *v; v += wcslen(v) + 1) {
        if (_wcsnicmp(v, L"WINEDEBUG=", 10) != 0) block.append(v).push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
    block.append(L"WINEDEBUG=-all,trace+graphics,+pid").push_back(L'\0');
    return block;
}

// The file Wine writes the test's output and traces to, as a Windows path.
std::wstring WineLog() {
    wchar_t unixPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUILMAR_WINE_LOG", unixPath, MAX_PATH)) return L"";
    std::wstring path = std::wstring(L"Z:") + unixPath;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

}  // namespace

::testing::AssertionResult Locker::Start() {
    for (const PROCESSENTRY32W& running : ProcessesOf(kWatchdogProgram)) m_othersWatchdogs.push_back(running.th32ProcessID);
    std::wstring command = L"\"" + m_folder + L"\\quilmar.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring environment = m_bTraceCalls ? EnvironmentWithCallTrace() : L"";
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                                        m_bTraceCalls ? environment.data() : nullptr, m_folder.c_str(), &startup,
                                        &m_info);
    m_dwProcessId = m_info.dwProcessId;
    if (started) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "quilmar.exe did not start from " << Describe(m_folder) << ": error "
                                         << GetLastError();
}

void Locker::KillDescendants() {
    std::vector<DWORD> tree = {m_info.dwProcessId};  // each process after its parent
    const std::vector<PROCESSENTRY32W> processes = Processes();
    for (std::size_t i = 0; i < tree.size(); ++i) {
        for (const PROCESSENTRY32W& entry : processes)
            if (entry.th32ParentProcessID == tree[i]) tree.push_back(entry.th32ProcessID);
    }
    for (std::size_t i = tree.size() - 1; i > 0; --i) EndProcess(tree[i]);
}

bool Locker::HandedToWindowsLock() {
    Watchdog();
    const std::string log = ReadFileBytes(WineLog());
    const char call[] = ":trace:graphics:LockWorkStation";
    for (std::size_t at = log.find(call); at != std::string::npos; at = log.find(call, at + 1)) {
        // Each line starts with the id of the process that wrote it.
        const std::size_t line = log.rfind('\n', at) + 1;
        const unsigned long process = std::strtoul(log.c_str() + line, nullptr, 16);
        if (process == m_dwProcessId || (m_dwWatchdogId && process == m_dwWatchdogId)) return true;
    }
    return false;
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

// The watchdog runs in the system's rundll32, started by another rundll32,
// the lock's child, that ends at once. It is there soon after the lock
// starts.
HANDLE Locker::Watchdog() {
    if (m_watchdog || !m_info.dwProcessId) return m_watchdog.get();
    WaitFor(
        [&] {
            bool starting = false;  // the first rundll32, the lock's child, is still there
            for (const PROCESSENTRY32W& entry : ProcessesOf(kWatchdogProgram)) {
                if (entry.th32ParentProcessID == m_info.dwProcessId) {
                    starting = true;
                } else if (std::find(m_othersWatchdogs.begin(), m_othersWatchdogs.end(), entry.th32ProcessID) ==
                           m_othersWatchdogs.end()) {
                    m_watchdog.reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
                    m_dwWatchdogId = entry.th32ProcessID;
                    return true;
                }
            }
            // A lock that has ended with no watchdog on its way started
            // none; one that ended at once may have ended before its
            // watchdog came up, which then holds the session's claim a
            // moment longer.
            return !Running() && !starting;
        },
        10000);
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
