#include "controls/cex_dib.h"

#include <cstring>

CCeXDib::CCeXDib() = default;

CCeXDib::~CCeXDib() { Free(); }

void CCeXDib::Free() {
    if (m_memDC) ::DeleteDC(m_memDC);
    if (m_section) ::DeleteObject(m_section);
    m_memDC = nullptr;
    m_section = nullptr;
    m_sectionBits = nullptr;
    m_dib.reset();
    m_header = BITMAPINFOHEADER{};
    m_colorCount = 0;
}

void CCeXDib::Draw(HDC dc, int x, int y) {
    if (!m_dib) return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(m_dib.get());
    if (!m_section) {
        m_section = ::CreateDIBSection(dc, info, DIB_RGB_COLORS, &m_sectionBits, nullptr, 0);
        if (!m_section) return;
        if (!m_sectionBits) {
            ::DeleteObject(m_section);
            m_section = nullptr;
            return;
        }
    }
    const BYTE* pixels = m_dib.get() + m_header.biSize + m_colorCount * sizeof(RGBQUAD);
    std::memcpy(m_sectionBits, pixels, m_header.biSizeImage);
    if (!m_memDC) m_memDC = ::CreateCompatibleDC(dc);
    if (!m_memDC) return;
    HGDIOBJ previous = ::SelectObject(m_memDC, m_section);
    ::BitBlt(dc, x, y, m_header.biWidth, m_header.biHeight, m_memDC, 0, 0, SRCCOPY);
    ::SelectObject(m_memDC, previous);
}
