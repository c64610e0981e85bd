// The requirement page window: the resource library's HTML page in the web
// browser control, over the page whose link opened it.
#pragma once
#include <windows.h>
#include <string>

#include "framework/handles.h"
#include "framework/html_dialog.h"

class CHtmlDlg : public CHtmlDialog {
public:
    explicit CHtmlDlg(CWnd* parent = nullptr);
    ~CHtmlDlg() override;

    // The HTML resource to show, the window title, and the rectangle whose
    // size the window takes before it is centred.
    void SetPage(const std::wstring& resourceName, const std::wstring& caption, const RECT& rect);

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnElementClick(const std::wstring& elementId) override;
    std::wstring ResourceFile() const override;

    static constexpr int kMinimumTrackWidth = 710;
    static constexpr int kMinimumTrackHeight = 446;

private:
    std::wstring m_resourceName;
    std::wstring m_caption;
    RECT m_rect{};
    unique_hicon m_icon;
};
