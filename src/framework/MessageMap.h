#pragma once
// Per-class message tables. Each window class lists the messages it handles
// in one static table; the table names the base class's table, which is
// searched when this one has no row for a message.
#include <windows.h>

class CWnd;

using MessageThunk = LRESULT (*)(CWnd* wnd, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    UINT message;
    UINT code;  // WM_COMMAND rows: notification code (0 for menus and clicks)
    UINT id;    // WM_COMMAND rows: command or control id
    MessageThunk handler;  // null ends the table
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageEntry* entries;
};

// Adapts a handler member function to the table's plain call form, for a
// message whose arguments it reads raw or not at all: no arguments, the
// message's word parameter, or both parameters with a result.
template <auto Handler> struct MessageHandler;

template <class T, void (T::*F)()> struct MessageHandler<F> {
    static LRESULT Call(CWnd* wnd, WPARAM, LPARAM) {
        (static_cast<T*>(wnd)->*F)();
        return 0;
    }
};

template <class T, void (T::*F)(WPARAM)> struct MessageHandler<F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM) {
        (static_cast<T*>(wnd)->*F)(wParam);
        return 0;
    }
};

template <class T, LRESULT (T::*F)(WPARAM, LPARAM)> struct MessageHandler<F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM lParam) {
        return (static_cast<T*>(wnd)->*F)(wParam, lParam);
    }
};

// The typed rows: a message with structured arguments reaches its handler
// with them cracked into their own types, in the one form this table gives
// for it; a handler of another form, or a message without one, does not
// compile. A handler without a result answers 0, the answer the system
// expects of a handled message.
template <UINT Message, auto Handler> struct TypedHandler;

// The timer's id.
template <class T, void (T::*F)(UINT_PTR)> struct TypedHandler<WM_TIMER, F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM) {
        (static_cast<T*>(wnd)->*F)(wParam);
        return 0;
    }
};

// The command, with the low four bits the system uses itself.
template <class T, void (T::*F)(UINT)> struct TypedHandler<WM_SYSCOMMAND, F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM) {
        (static_cast<T*>(wnd)->*F)(static_cast<UINT>(wParam));
        return 0;
    }
};

// The change about to be made, which the handler may alter.
template <class T, void (T::*F)(WINDOWPOS*)> struct TypedHandler<WM_WINDOWPOSCHANGING, F> {
    static LRESULT Call(CWnd* wnd, WPARAM, LPARAM lParam) {
        (static_cast<T*>(wnd)->*F)(reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    }
};

// WA_ACTIVE, WA_CLICKACTIVE or WA_INACTIVE; the window that loses or gains
// the activation; whether this one is minimised.
template <class T, void (T::*F)(UINT, HWND, bool)> struct TypedHandler<WM_ACTIVATE, F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM lParam) {
        (static_cast<T*>(wnd)->*F)(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam) != 0);
        return 0;
    }
};

// Shown or hidden; why (0 for ShowWindow, else an SW_PARENT* or SW_OTHER*).
template <class T, void (T::*F)(bool, UINT)> struct TypedHandler<WM_SHOWWINDOW, F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM lParam) {
        (static_cast<T*>(wnd)->*F)(wParam != 0, static_cast<UINT>(lParam));
        return 0;
    }
};

// The ENDSESSION_* reasons; the answer is whether the session may end.
template <class T, bool (T::*F)(UINT)> struct TypedHandler<WM_QUERYENDSESSION, F> {
    static LRESULT Call(CWnd* wnd, WPARAM, LPARAM lParam) {
        return (static_cast<T*>(wnd)->*F)(static_cast<UINT>(lParam)) ? TRUE : FALSE;
    }
};

// Whether the session ends after all; the ENDSESSION_* reasons.
template <class T, void (T::*F)(bool, UINT)> struct TypedHandler<WM_ENDSESSION, F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM lParam) {
        (static_cast<T*>(wnd)->*F)(wParam != 0, static_cast<UINT>(lParam));
        return 0;
    }
};

// The window's new DPI; the place the system suggests for it there.
template <class T, void (T::*F)(UINT, const RECT&)> struct TypedHandler<WM_DPICHANGED, F> {
    static LRESULT Call(CWnd* wnd, WPARAM wParam, LPARAM lParam) {
        (static_cast<T*>(wnd)->*F)(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
};

// The icon shown while a minimised window is dragged.
template <class T, HICON (T::*F)()> struct TypedHandler<WM_QUERYDRAGICON, F> {
    static LRESULT Call(CWnd* wnd, WPARAM, LPARAM) {
        return reinterpret_cast<LRESULT>((static_cast<T*>(wnd)->*F)());
    }
};

// A row that answers its message with a fixed result and nothing else.
template <LRESULT Result> LRESULT AnswerWith(CWnd*, WPARAM, LPARAM) {
    return Result;
}

#define DECLARE_MESSAGE_MAP()                                              \
public:                                                                    \
    static const MessageMap* GetThisMessageMap();                          \
                                                                           \
protected:                                                                 \
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

#define BEGIN_MESSAGE_MAP(Class, Base)                                     \
    const MessageMap* Class::GetThisMessageMap() {                         \
        using ThisClass [[maybe_unused]] = Class;                          \
        const auto base = &Base::GetThisMessageMap;                        \
        static const MessageEntry entries[] = {

#define ON_MESSAGE(message, fn) {message, 0, 0, &MessageHandler<&ThisClass::fn>::Call},
#define ON_MESSAGE_RESULT(message, result) {message, 0, 0, &AnswerWith<result>},
#define ON_TYPED(message, fn) {message, 0, 0, &TypedHandler<message, &ThisClass::fn>::Call},
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, id, &MessageHandler<&ThisClass::fn>::Call},
#define ON_CONTROL(code, id, fn) {WM_COMMAND, code, id, &MessageHandler<&ThisClass::fn>::Call},

// A control's notifications to its parent (WM_COMMAND, WM_DRAWITEM and
// WM_CTLCOLOR*) are first offered to the control's own table, as
// WM_REFLECT_BASE plus the message. A non-zero result there is the parent's
// reply and keeps the notification from the parent; zero, or a handler
// without a result, lets the parent handle it as well.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
#define ON_REFLECT(message, fn) {WM_REFLECT_BASE + (message), 0, 0, &MessageHandler<&ThisClass::fn>::Call},
#define ON_CONTROL_REFLECT(code, fn) \
    {WM_REFLECT_BASE + WM_COMMAND, code, 0, &MessageHandler<&ThisClass::fn>::Call},

#define END_MESSAGE_MAP()                                                  \
            {0, 0, 0, nullptr}};                                           \
        static const MessageMap map = {base, entries};                     \
        return &map;                                                       \
    }
