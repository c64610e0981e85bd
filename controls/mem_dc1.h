// CMemDC1: an off-screen stand-in for a target DC during painting. Drawing
// goes to a bitmap of the target's clip box, in the target's coordinates; the
// destructor copies the result to the target in one blit. A printer context
// is shared instead of buffered.
#pragma once
#include <windows.h>

#include "framework/gdi.h"

class CMemDC1 : public CDC {
public:
    explicit CMemDC1(CDC* target);
    ~CMemDC1() override;

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_target;
    RECT m_rect{};
    BOOL m_isMemory;
};
