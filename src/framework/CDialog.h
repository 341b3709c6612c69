#pragma once
// A dialog built from a template resource, run modally by our own message
// loop (so PreTranslateMessage sees every message first) or modelessly.
#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog until EndDialog; returns its result, -1 if it could
    // not be created. The owner is disabled meanwhile.
    INT_PTR DoModal();
    // Creates the dialog modelessly; it stays until destroyed.
    BOOL Create();
    // Ends a modal run with the result; hides a modeless dialog.
    void EndDialog(int result);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog();
    // Binds control objects to dialog items; called by OnInitDialog.
    virtual void DoDataExchange() {}
    virtual void OnOK();
    virtual void OnCancel();
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;
    BOOL CreateFromTemplate();
    void RunModalLoop();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModal = false;
    bool m_bEndModal = false;
    int m_nModalResult = -1;
};
