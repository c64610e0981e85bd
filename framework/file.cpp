#include "framework/file.h"

#include <cstring>

CFile::~CFile() = default;

BOOL CFile::Open(const std::wstring& path, UINT flags) {
    Close();
    DWORD access = GENERIC_READ;
    if (flags & modeWrite) access = GENERIC_WRITE;
    if (flags & modeReadWrite) access = GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_file.reset(::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(m_file);
}

UINT CFile::Read(void* buffer, UINT count) {
    if (!m_file || count == 0) return 0;
    DWORD read = 0;
    if (!::ReadFile(m_file.get(), buffer, count, &read, nullptr)) return 0;
    return read;
}

BOOL CFile::Write(const void* buffer, UINT count) {
    if (!m_file) return FALSE;
    if (count == 0) return TRUE;
    DWORD written = 0;
    return ::WriteFile(m_file.get(), buffer, count, &written, nullptr) && written == count;
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    if (!m_file) return kSeekFailed;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    const DWORD method = from == end ? FILE_END : from == current ? FILE_CURRENT : FILE_BEGIN;
    if (!::SetFilePointerEx(m_file.get(), distance, &position, method)) return kSeekFailed;
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size{};
    if (!m_file || !::GetFileSizeEx(m_file.get(), &size)) return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
    if (!m_file) return 0;
    LARGE_INTEGER zero{};
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(m_file.get(), zero, &position, FILE_CURRENT)) return 0;
    return static_cast<ULONGLONG>(position.QuadPart);
}

void CFile::Close() { m_file.reset(); }

CMemFile::CMemFile(const void* data, size_t size)
    : m_data(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size) {}

UINT CMemFile::Read(void* buffer, UINT count) {
    if (m_position >= m_data.size()) return 0;
    const size_t available = m_data.size() - m_position;
    const size_t copied = count < available ? count : available;
    std::memcpy(buffer, m_data.data() + m_position, copied);
    m_position += copied;
    return static_cast<UINT>(copied);
}

BOOL CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0) return TRUE;
    if (m_position + count > m_data.size()) m_data.resize(m_position + count);
    std::memcpy(m_data.data() + m_position, buffer, count);
    m_position += count;
    return TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
    const LONGLONG base = from == end ? static_cast<LONGLONG>(m_data.size())
                          : from == current ? static_cast<LONGLONG>(m_position) : 0;
    const LONGLONG target = base + offset;
    if (target < 0) return kSeekFailed;
    m_position = static_cast<size_t>(target);
    return m_position;
}
