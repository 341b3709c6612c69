// Drives a running lock from the command line, for the run script's
// unattended demonstration on a virtual display. Each verb waits for what it
// needs and exits non-zero when it does not come.
#include <cstdio>
#include <string>

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


}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    const std::wstring arg = argc > 2 ? argv[2] : L"";
    bool ok = false;
    if (verb == L"wait-lock") ok = WaitFor([] { return FindLockWindow() != nullptr; });
    else if (verb == L"wait-settings") ok = FindOwnedDialog(IDC_CONFIRM) != nullptr;
    else if (verb == L"fill-settings") ok = AcceptSettings(FindOwnedDialog(IDC_CONFIRM), arg);
    else if (verb == L"show-prompt") ok = ShowPrompt(FindLockWindow()) != nullptr;
    else if (verb == L"unlock") ok = Unlock(FindLockWindow(), arg) && WaitFor([] { return FindLockWindow() == nullptr; });
    else if (verb == L"shutdown") ok = PressShutdown();
    else if (verb == L"create-shortcut") ok = CreateShortcutFromSettings(FindOwnedDialog(IDC_CONFIRM));
    else if (verb == L"clock-drift") ok = ClockDrift(_wtoi(arg.c_str()));
    else if (verb == L"set-screensaver") ok = SetScreenSaver(arg == L"1");
    else if (verb == L"screensaver-active") return ScreenSaverOn() ? 0 : 3;
    else {
        std::fputs("usage: drive wait-lock | wait-settings | fill-settings PASSWORD | show-prompt | unlock PASSWORD | shutdown | create-shortcut | clock-drift SECONDS | screensaver-active | set-screensaver 0|1\n", stderr);
        return 2;
    }
    if (!ok) std::fprintf(stderr, "drive %ls: timed out\n", verb.c_str());
    return ok ? 0 : 1;
}
