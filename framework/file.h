// CFile and CMemFile: byte streams over a disk file or a memory buffer, with
// one interface so that readers and writers work on either.
//
// Nothing here throws: Read returns the number of bytes actually read (short
// at the end of the data), Write and Open report failure as FALSE, and Seek
// returns kSeekFailed when the new position would be invalid.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "framework/handles.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,   // create, or truncate an existing file
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
    static constexpr ULONGLONG kSeekFailed = ~0ULL;

    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Other processes may read the file while it is open.
    virtual BOOL Open(const std::wstring& path, UINT flags);
    virtual UINT Read(void* buffer, UINT count);
    virtual BOOL Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    virtual ULONGLONG GetLength() const;
    virtual ULONGLONG GetPosition() const;
    virtual void Close();

    ULONGLONG SeekToBegin() { return Seek(0, begin); }

private:
    unique_hfile m_file;
};

class CMemFile : public CFile {
public:
    CMemFile() = default;
    // Starts with a copy of `size` bytes at `data`, positioned at the start.
    CMemFile(const void* data, size_t size);

    BOOL Open(const std::wstring&, UINT) override { return FALSE; }
    UINT Read(void* buffer, UINT count) override;
    // Writes at the position, growing the buffer as needed.
    BOOL Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetLength() const override { return m_data.size(); }
    ULONGLONG GetPosition() const override { return m_position; }
    void Close() override {}

    const std::vector<BYTE>& Data() const { return m_data; }

private:
    std::vector<BYTE> m_data;
    size_t m_position = 0;
};
