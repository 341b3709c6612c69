// Drives a running lock from the command line, for the run script's
// unattended demonstration on a virtual display and for the benchmarks.
// Each verb waits for what it needs and exits non-zero when it does not
// come.
#include <windows.h>

#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ClockReader.h"
#include "Drive.h"
#include "res/resource.h"

namespace {

HWND FindOwnedDialog(int controlId) {
    HWND found = nullptr;
    WaitFor([&] { return (found = OwnedDialog(FindLockWindow(), controlId)) != nullptr; });
    return found;
}

bool PressShutdown() {
    HWND prompt = FindOwnedDialog(IDC_SHUTDOWN);
    if (!prompt || !IsWindowVisible(GetDlgItem(prompt, IDC_SHUTDOWN))) return false;
    ClickWindow(GetDlgItem(prompt, IDC_SHUTDOWN));
    return true;
}

// The shutdown button's command as any program can post and send it to the
// prompt, whether the button shows or not. Returns once the sent one has
// been handled; the posted one is handled before any later key.
bool CommandShutdown() {
    HWND prompt = FindOwnedDialog(IDC_SHUTDOWN);
    if (!prompt) return false;
    const WPARAM command = MAKEWPARAM(IDC_SHUTDOWN, BN_CLICKED);
    const auto button = reinterpret_cast<LPARAM>(GetDlgItem(prompt, IDC_SHUTDOWN));
    return PostMessageW(prompt, WM_COMMAND, command, button) &&
           SendMessageTimeoutW(prompt, WM_COMMAND, command, button, SMTO_NORMAL, 30000, nullptr);
}

// Waits for the time shown to change, and gives the new reading and the
// moment it appeared, to within half the time between two readings.
bool NextClockChange(HWND clock, int& tenths, double& at) {
    int previous = -1;
    double previousAt = 0;
    return WaitFor([&] {
        const double before = Seconds();
        const int now = ReadClockTenths(clock, RGB(255, 255, 0));
        const double nowAt = (before + Seconds()) / 2;
        if (now < 0) return false;
        if (previous >= 0 && now != previous) {
            tenths = now;
            at = (previousAt + nowAt) / 2;
            return true;
        }
        previous = now;
        previousAt = nowAt;
        return false;
    });
}

// Times two changes of the clock `seconds` apart and prints how far the
// time it moved on differs from the time that really passed.
bool ClockDrift(int seconds) {
    HWND lock = FindLockWindow();
    HWND clock = lock ? GetDlgItem(lock, IDC_TIME) : nullptr;
    int first = -1, last = -1;
    double start = 0, end = 0;
    if (!clock || !NextClockChange(clock, first, start)) return false;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    if (!NextClockChange(clock, last, end)) return false;
    const double shown = (last - first) / 10.0, passed = end - start;
    std::printf("clock moved %.1f s in %.3f s of real time: off by %+.3f s\n", shown, passed,
                shown - passed);
    return true;
}

// A program with a window reads and sets what the display does, not only
// the stored setting: under Wine the two can differ.
void LoadDisplayDriver() {
    CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

bool ScreenSaverOn() {
    LoadDisplayDriver();
    BOOL active = FALSE;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active;
}

bool SetScreenSaver(bool active) {
    LoadDisplayDriver();
    const bool ok = SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active, nullptr, 0);
    ScreenSaverOn();  // the read-back sends the change on before the program ends
    return ok;
}

DWORD ProcessId(const std::wstring& exe) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    DWORD id = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !id; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exe.c_str()) == 0) id = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return id;
}

// Wine's GetGuiResources is a stub. Its GDI keeps each process's objects
// in a table of the process's own, which the PEB points to; an entry in
// use has a type, and stock objects are marked.
int WineGdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    constexpr std::size_t kTableInPeb = 0xf8, kEntries = 0x10000, kEntrySize = 24;
    UINT64 table = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kTableInPeb, &table,
                           sizeof table, nullptr) || !table) {
        return -1;
    }
    std::vector<BYTE> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(), nullptr)) {
        return -1;
    }
    int count = 0;
    for (std::size_t i = 0; i < kEntries; ++i) {
        const BYTE* entry = &entries[i * kEntrySize];
        const bool stock = entry[12] & 0x80;
        if (entry[14] && !stock) ++count;
    }
    return count;
}

struct WindowCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    auto& found = *reinterpret_cast<WindowCount*>(count);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found.processId) ++found.count;
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count) {
    CountWindow(window, count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

// The GDI and USER objects of a process of the session, given the name of
// its executable. Where the system does not count them (Wine), the GDI
// objects are read from the process's handle table and of the USER
// objects only the windows are counted.
bool PrintGuiObjects(const std::wstring& exe) {
    const DWORD id = ProcessId(exe);
    HANDLE process = id ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id) : nullptr;
    if (!process) return false;
    SetLastError(0);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS), user = GetGuiResources(process, GR_USEROBJECTS);
    if (gdi || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        std::printf("GDI objects %lu, USER objects %lu\n", gdi, user);
    } else {
        WindowCount windows = {id, 0};
        EnumWindows(CountWindowAndChildren, reinterpret_cast<LPARAM>(&windows));
        std::printf("GDI objects %d (handle table), windows %d\n", WineGdiObjects(process), windows.count);
    }
    CloseHandle(process);
    return true;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    const std::wstring arg = argc > 2 ? argv[2] : L"";
    bool ok = false;
    std::string failure = "timed out";
    // What a helper that tells its failure saw.
    const auto told = [&failure](const ::testing::AssertionResult& result) {
        if (!result) failure = result.message();
        return static_cast<bool>(result);
    };
    if (verb == L"wait-lock") ok = WaitFor([] { return FindLockWindow() != nullptr; });
    else if (verb == L"wait-settings") ok = FindOwnedDialog(IDC_CONFIRM) != nullptr;
    else if (verb == L"fill-settings") ok = told(AcceptSettings(FindOwnedDialog(IDC_CONFIRM), arg));
    else if (verb == L"show-prompt") ok = told(ShowPrompt(FindLockWindow()));
    else if (verb == L"unlock") ok = told(Unlock(FindLockWindow(), arg)) && WaitFor([] { return FindLockWindow() == nullptr; });
    else if (verb == L"shutdown") ok = PressShutdown();
    else if (verb == L"shutdown-command") ok = CommandShutdown();
    else if (verb == L"create-shortcut") ok = CreateShortcutFromSettings(FindOwnedDialog(IDC_CONFIRM));
    else if (verb == L"clock-drift") ok = ClockDrift(_wtoi(arg.c_str()));
    else if (verb == L"set-screensaver") ok = SetScreenSaver(arg == L"1");
    else if (verb == L"gui-objects") ok = PrintGuiObjects(arg);
    else if (verb == L"screensaver-active") return ScreenSaverOn() ? 0 : 3;
    else {
        std::fputs("usage: drive wait-lock | wait-settings | fill-settings PASSWORD | show-prompt | unlock PASSWORD | shutdown | shutdown-command | create-shortcut | clock-drift SECONDS | screensaver-active | set-screensaver 0|1 | gui-objects EXE\n", stderr);
        return 2;
    }
    if (!ok) std::fprintf(stderr, "drive %ls: %s\n", verb.c_str(), failure.c_str());
    return ok ? 0 : 1;
}
