#include "support/scratch.h"

#include <sddl.h>

#include <stdexcept>

namespace typorama::test {

bool DeleteTree(const std::wstring& folder) {
    std::wstring base = folder;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    WIN32_FIND_DATAW data;
    win::UniqueFind find(FindFirstFileW((base + L"\\*").c_str(), &data));
    if (find) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = base + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find.get(), &data));
    }
    find.reset();
    RemoveDirectoryW(base.c_str());
    return GetFileAttributesW(base.c_str()) == INVALID_FILE_ATTRIBUTES;
}

ScratchFolder::ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
    std::wstring root = std::wstring(temp, n) + L"typorama-tests\\";
    CreateDirectoryW(root.c_str(), nullptr);
    // Tests run side by side in separate processes; each process has its own folders.
    path_ = root + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    DeleteTree(path_);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot create scratch folder");
}

ScratchFolder::~ScratchFolder() { DeleteTree(path_); }

std::wstring ScratchFolder::Write(const std::wstring& relative, const std::vector<std::uint8_t>& bytes) const {
    std::wstring path = path_ + relative;
    for (std::size_t slash = path.find(L'\\', path_.size()); slash != std::wstring::npos;
         slash = path.find(L'\\', slash + 1))
        CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        throw std::runtime_error("cannot write scratch file");
    return path;
}

ScratchKey::ScratchKey(const std::wstring& name)
    : subKey_(L"Software\\Typorama Tests\\" + name + L"-" + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(),
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create scratch key");
}

namespace {

bool SetKeyAccess(HKEY key, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    const LSTATUS status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    return status == ERROR_SUCCESS;
}

}  // namespace

bool ScratchKey::DenyValueChanges() {
    denied_ = true;
    return SetKeyAccess(key_.get(), L"D:(D;;0x2;;;WD)(A;;KA;;;WD)");
}

bool ScratchKey::AllowValueChanges() {
    denied_ = false;
    return SetKeyAccess(key_.get(), L"D:(A;;KA;;;WD)");
}

ScratchKey::~ScratchKey() {
    if (denied_) AllowValueChanges();
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
}

void ScratchKey::SetString(const std::wstring& subKey, const std::wstring& value, const std::wstring& data) const {
    win::UniqueKey key;
    if (RegCreateKeyExW(key_.get(), subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
            ERROR_SUCCESS ||
        RegSetValueExW(key.get(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write scratch value");
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::string ReadFileBytes(const std::wstring& path) {
    win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes(file ? GetFileSize(file.get(), nullptr) : 0, '\0');
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return "<cannot read>";
    return bytes;
}

}  // namespace typorama::test
