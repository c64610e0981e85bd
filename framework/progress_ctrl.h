// CProgressCtrl: window wrapper over the system progress bar class.
#pragma once
#include <windows.h>

#include "framework/wnd.h"

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(int lower, int upper);
    int SetPos(int position);
    int GetPos() const;
};
