// Scratch folders and registry keys that a test owns. Each removes what an
// earlier, interrupted run of the same test left behind before it starts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "win/unique_handle.h"

namespace typorama::test {

// A folder below %TEMP%\typorama-tests (name and process id), emptied at start, removed at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, ending with a backslash.
    const std::wstring& Path() const { return path_; }
    // Writes bytes to a file below the folder (creating subfolders); returns its path.
    std::wstring Write(const std::wstring& relative, const std::vector<std::uint8_t>& bytes) const;

private:
    std::wstring path_;
};

// HKEY_CURRENT_USER\Software\Typorama Tests\<name>-<process id>, deleted at start and at the end.
class ScratchKey {
public:
    explicit ScratchKey(const std::wstring& name);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    HKEY Get() const { return key_.get(); }
    const std::wstring& SubKey() const { return subKey_; }  // below HKEY_CURRENT_USER
    void SetString(const std::wstring& subKey, const std::wstring& value, const std::wstring& data) const;
    // Denies everyone changes to the key's values, as the machine's installed-font list does for a
    // user without administrator rights; the key can still be deleted at the end.
    bool DenyValueChanges();
    bool AllowValueChanges();

private:
    std::wstring subKey_;
    win::UniqueKey key_;
    bool denied_ = false;
};

// The folder of the running test program, ending with a backslash.
std::wstring ProgramFolder();

// Deletes a folder and everything below it; true if it is gone afterwards.
bool DeleteTree(const std::wstring& folder);

// The bytes of a file, or "<cannot read>".
std::string ReadFileBytes(const std::wstring& path);

}  // namespace typorama::test
