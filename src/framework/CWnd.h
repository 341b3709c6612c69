#pragma once
// A C++ object bound to a window. One subclass procedure serves every bound
// window: it hands the message to the object's message table, and what the
// table leaves goes on down the window's subclass chain.
#include "framework/MessageMap.h"

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;

    // The object bound to a window, or null.
    static CWnd* FromHandle(HWND hWnd);

    // Binds an existing window to this object and routes its messages here.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    virtual BOOL DestroyWindow();

    // Called for each message the modal loop is about to dispatch; TRUE
    // means the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Offers a message to the window it is for and then to each parent or
    // owner in turn, until one handles it.
    static BOOL WalkPreTranslateTree(MSG* msg);

    static const MessageMap* GetThisMessageMap();

protected:
    virtual const MessageMap* GetMessageMap() const;
    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message now being handled.
    LRESULT Default();

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    void Detach();
    // The row of this class's table, or of a base class's, for the message
    // with the notification code and id (both 0 outside WM_COMMAND).
    const MessageEntry* FindEntry(UINT message, UINT code, UINT id) const;
    // Offers a notification this control sent its parent to the control's
    // reflected rows; TRUE with the parent's reply when it keeps it.
    BOOL ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } m_current{};
};
