// CHtmlDialog: a modal dialog whose client area is the system's web browser
// control, hosted by our own small OLE container (client site, in-place
// site and frame, host UI handler, and a sink for the browser's events).
//
// When the control cannot be created (no browser engine installed, COM
// refused), the dialog still opens, sizes and closes as any dialog; it just
// shows no document. Clicks on document elements reach OnElementClick with
// the element's id, once the document has loaded.
#pragma once
#include <windows.h>
#include <string>

#include "framework/dialog.h"

class CBrowserSite;

class CHtmlDialog : public CDialog {
public:
    CHtmlDialog(UINT templateId, UINT htmlResourceId, CWnd* parent = nullptr);
    ~CHtmlDialog() override;

    // DOCHOSTUIFLAG_* bits the control asks its host for; set before the dialog opens.
    void SetHostFlags(DWORD flags) { m_hostFlags = flags; }
    DWORD HostFlags() const { return m_hostFlags; }

    // Navigates the control; FALSE when there is no control or it refused.
    BOOL Navigate(const std::wstring& url);
    // "res://<file>/<name>".
    static std::wstring ResourceUrl(const std::wstring& file, const std::wstring& name);
    // The file the HTML resources are taken from: by default the resource
    // module's file (a module loaded as a data file has no name to ask for,
    // so a dialog over such a module names its file itself).
    virtual std::wstring ResourceFile() const;
    BOOL HasBrowser() const { return m_site != nullptr; }

    // A click on a document element (its id; empty for elements without one).
    virtual void OnElementClick(const std::wstring& /*elementId*/) {}

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateBrowser();
    void DestroyBrowser();

    UINT m_htmlResourceId;
    DWORD m_hostFlags = 0;
    CBrowserSite* m_site = nullptr;
};
