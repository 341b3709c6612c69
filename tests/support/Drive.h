#pragma once
// Driving the real program from outside, as a user and an observer would:
// start it, find its windows, press keys, read the system state it changes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/ScopedHandles.h"

// Seconds on the performance counter, for measuring intervals.
double Seconds();

// Polls until the condition holds; false when the time ran out. Messages
// for this thread's windows are dispatched meanwhile.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 30000);
// The same, with each of this thread's messages handed to `handle`.
bool WaitFor(const std::function<bool()>& condition, const std::function<void(MSG&)>& handle,
             DWORD timeoutMs = 30000);
// Runs this thread's messages for a while: for checking that nothing happens.
void PumpFor(DWORD ms);

// The folder holding the built quilmar.exe and TaskKeyHook.dll.
std::wstring DistDir();
// A new empty folder under the temporary folder; RemoveTree deletes it again.
std::wstring MakeTempDir();
void RemoveTree(const std::wstring& dir);
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// One run of quilmar.exe from a folder of its own. Closes the program when
// it goes out of scope if it is still running.
class Locker {
public:
    // Copies the program into `folder` (made when missing).
    explicit Locker(std::wstring folder);
    ~Locker();
    Locker(const Locker&) = delete;
    Locker& operator=(const Locker&) = delete;

    bool Start();
    // The lock window, once it is up and layered; null on time-out.
    HWND WaitForLockWindow();
    // A visible top-level window of this process built from the given
    // dialog template, found by one of its control ids; null on time-out.
    HWND WaitForDialog(int controlId, DWORD timeoutMs = 30000);
    // The visible message box owned by `owner`; null on time-out.
    HWND WaitForMessageBox(HWND owner, DWORD timeoutMs = 30000);
    bool WaitForExit(DWORD timeoutMs = 30000);
    bool Running() const;
    DWORD ProcessId() const { return m_info.dwProcessId; }
    DWORD ThreadId() const { return m_info.dwThreadId; }
    // The window with the keyboard focus in the program's thread.
    HWND FocusWindow() const;
    // Ends the Windows session for the program, as logging off would (it
    // gives everything back then), and then ends the process: only the
    // password ends a lock by itself.
    void Close();
    // Ends the process at once, as a crash no handler sees would.
    void Kill();

    const std::wstring& Folder() const { return m_folder; }
    std::wstring ConfigPath() const { return m_folder + L"\\config.ini"; }

private:
    // A visible dialog-class top-level window of this process that matches.
    HWND WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs = 30000) const;

    std::wstring m_folder;
    PROCESS_INFORMATION m_info{};
};

// The lock window of any running lock, by its class and title.
HWND FindLockWindow();
std::wstring WindowText(HWND window);
// Makes the window the foreground window and waits until it is.
bool BringToFront(HWND window);

// The colours on the screen in `area`, row by row, as 0x00BBGGRR.
std::vector<COLORREF> CaptureScreen(const RECT& area);

// Keyboard and mouse input through the system's input queue.
void PressKey(WORD vk);
void PressKeys(std::initializer_list<WORD> chord);  // held in order, released in reverse
void TypeText(const std::wstring& text);
void ClickWindow(HWND window);  // a left click in the middle of it
void DoubleClickWindow(HWND window);
// Moves the pointer to a point of the screen, as a mouse would.
void MovePointer(POINT screen);
// Presses or releases the left button where MovePointer put the pointer.
void LeftButton(bool down);

// The current user's desktop folder, as the shell reports it.
std::wstring DesktopFolder();
// A shell link file as the shell loads it.
struct ShellLink {
    std::wstring target;  // from the link's item list
    std::wstring path;    // as the link object reports it
    std::wstring description, arguments, workingDir, icon;
};
bool ReadShellLink(const std::wstring& file, ShellLink& link);
// The menu the settings dialog's more-operations button drops down, once
// it is open; null on time-out.
HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs = 30000);
// Opens that menu with a click and chooses its entry with the keys; true
// once the desktop holds the shortcut.
bool CreateShortcutFromSettings(HWND settings);

// The per-user policy values the program sets while locked.
bool PolicyValueSet(const wchar_t* name);
void SetPolicyValue(const wchar_t* name);
void DeletePolicyValues();
HWND Taskbar();
// Waits for the shell's taskbar window. The shell starts once the first
// program of a fresh prefix makes a window, so this makes a hidden one.
bool WaitForTaskbar();
// The screensaver setting, as a newly started program reads and sets it.
bool ScreenSaverActive();
void SetScreenSaverActive(bool active);


// A window of this test program on a thread of its own: what another
// program's window is to the lock. It answers messages while the test
// waits, counts the keys and clicks it gets, and on request takes the
// foreground back every few milliseconds.
class ForeignWindow {
public:
    // Shown: a topmost window over the whole screen; else hidden.
    ForeignWindow(const wchar_t* className, bool shown);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    HWND Window() const { return m_window; }
    // Raises the window and makes it the foreground window before returning.
    void TakeForeground();
    void StealForeground(bool steal) { m_steal = steal; }
    LONG Keys() const { return m_keys; }
    LONG Clicks() const { return m_clicks; }

private:
    static DWORD WINAPI Run(LPVOID self);
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const wchar_t* m_className;
    bool m_shown;
    HWND m_window = nullptr;
    KernelHandle m_thread;
    KernelHandle m_ready;
    volatile bool m_steal = false;
    volatile LONG m_keys = 0, m_clicks = 0;
};

// Records the keys a low-level keyboard hook sees. Hooks installed later
// are asked first, so a probe installed before the program's own hook sees
// only what that hook lets through.
class KeyProbe {
public:
    KeyProbe();
    ~KeyProbe();
    KeyProbe(const KeyProbe&) = delete;
    KeyProbe& operator=(const KeyProbe&) = delete;

    bool SawKeyDown(DWORD vk) const;
    // Presses an otherwise unused key and waits until the probe has seen it,
    // so every key pressed before has been through the hooks too.
    bool Sync();
    void Clear();

private:
    static DWORD WINAPI Run(LPVOID self);
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    KernelHandle m_thread;
    DWORD m_threadId = 0;
};
