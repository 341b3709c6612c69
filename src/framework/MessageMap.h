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

// Adapts a handler member function to the table's plain call form. Three
// shapes cover every handler: no arguments, the message's word parameter,
// or both parameters with a result.
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
