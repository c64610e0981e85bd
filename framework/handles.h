// RAII owners for Win32 handles. The invalid value is part of the type, so a
// file handle (INVALID_HANDLE_VALUE) can never be mistaken for a process or
// mutex handle (NULL), and no handle is closed by hand on an early return.
#pragma once
#include <windows.h>
#include <cstdint>
#include <utility>

// `InvalidBits` is the invalid value as an integer (0 or -1): a pointer
// constant such as INVALID_HANDLE_VALUE cannot be a template argument.
template <typename T, auto Close, std::intptr_t InvalidBits>
class unique_any {
    static T InvalidValue() noexcept { return reinterpret_cast<T>(InvalidBits); }

public:
    unique_any() noexcept = default;
    explicit unique_any(T value) noexcept : m_value(value) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : m_value(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    T get() const noexcept { return m_value; }
    explicit operator bool() const noexcept { return m_value != InvalidValue(); }
    T release() noexcept { return std::exchange(m_value, InvalidValue()); }
    void reset(T value = InvalidValue()) noexcept {
        T old = std::exchange(m_value, value);
        if (old != InvalidValue()) Close(old);
    }
    // For APIs that return the handle through an out-parameter.
    T* put() noexcept { reset(); return &m_value; }

private:
    T m_value = InvalidValue();
};

namespace handle_detail {
inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void CloseKey(HKEY h) { ::RegCloseKey(h); }
inline void FreeModuleHandle(HMODULE h) { ::FreeLibrary(h); }
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteMemDC(HDC h) { ::DeleteDC(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
}  // namespace handle_detail

using unique_handle  = unique_any<HANDLE, handle_detail::CloseKernel, 0>;
using unique_hfile   = unique_any<HANDLE, handle_detail::CloseKernel, -1>;
using unique_hfind   = unique_any<HANDLE, handle_detail::CloseFind, -1>;
using unique_hkey    = unique_any<HKEY, handle_detail::CloseKey, 0>;
using unique_hmodule = unique_any<HMODULE, handle_detail::FreeModuleHandle, 0>;
using unique_hgdiobj = unique_any<HGDIOBJ, handle_detail::DeleteGdi, 0>;
using unique_hbitmap = unique_any<HBITMAP, handle_detail::DeleteGdi, 0>;
using unique_hbrush  = unique_any<HBRUSH, handle_detail::DeleteGdi, 0>;
using unique_hpen    = unique_any<HPEN, handle_detail::DeleteGdi, 0>;
using unique_hfont   = unique_any<HFONT, handle_detail::DeleteGdi, 0>;
using unique_hpalette = unique_any<HPALETTE, handle_detail::DeleteGdi, 0>;
using unique_hdc_mem = unique_any<HDC, handle_detail::DeleteMemDC, 0>;
using unique_hicon   = unique_any<HICON, handle_detail::DestroyIconHandle, 0>;
