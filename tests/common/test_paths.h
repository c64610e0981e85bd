// Where tests find the build products, and scratch folders that clean up after themselves.
#pragma once
#include <string>

// Turns a Unix path (as given in the environment by ctest) into the Windows
// path under which Wine shows it (drive Z: maps the Unix root).
std::wstring WinePathFromUnix(const std::string& unixPath);

// build/<arch>/bin, build/<arch> and the source tree, as Windows paths.
std::wstring BinDir();
std::wstring BuildDir();
std::wstring SourceDir();

// A fresh, empty folder under the Windows temporary folder, removed with
// everything in it when the object goes out of scope.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& hint = L"t");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Deletes a folder tree (files first); missing folders are fine.
void RemoveTree(const std::wstring& path);

// Whole-file helpers.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
