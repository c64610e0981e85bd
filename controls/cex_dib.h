// CCeXDib: one packed device-independent image (header, colour table,
// pixels), drawn through a DIB section made on the first draw. An empty image
// draws nothing.
#pragma once
#include <windows.h>
#include <memory>

class CCeXDib {
public:
    CCeXDib();
    virtual ~CCeXDib();
    CCeXDib(const CCeXDib&) = delete;
    CCeXDib& operator=(const CCeXDib&) = delete;

    // Releases the image and its drawing resources.
    void Free();
    void Draw(HDC dc, int x, int y);
    bool IsEmpty() const { return m_dib == nullptr; }

private:
    std::unique_ptr<BYTE[]> m_dib;
    BITMAPINFOHEADER m_header{};
    WORD m_colorCount = 0;
    HBITMAP m_section = nullptr;
    HDC m_memDC = nullptr;
    void* m_sectionBits = nullptr;
};
