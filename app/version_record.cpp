#include "app/version_record.h"

#include <vector>

#include "app/program_folder.h"
#include "app/purvex_version.h"
#include "app/shell_texts.h"
#include "base/unique_handle.h"
#include "updater/file_table.h"

namespace shell {
namespace {

void SetText(HKEY key, const char* name, const std::string& text) {
    base::SetTextWithoutTerminator(key, name, text.c_str());
}

// The engine's ftool_GetVer text (empty when the export is missing); false
// when the library cannot be loaded.
bool ReadEngineVersion(const char* library, std::string& version) {
    base::UniqueModule engine(LoadLibraryA(library));
    if (!engine) return false;
    auto getVer = reinterpret_cast<FtoolGetVerFn>(reinterpret_cast<void*>(GetProcAddress(engine.get(), "ftool_GetVer")));
    const char* text = getVer ? getVer() : nullptr;
    version = text ? text : "";
    return true;
}

}  // namespace

void WriteVersionRecord(HWND owner, HKEY root, const char* path, const char* engineLibrary) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS) return;
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    SetText(key.get(), "Purvex.exe", ReadFileVersion("Purvex.exe"));
    SetText(key.get(), "Chronik.dll", ReadFileVersion("Chronik.dll"));
    std::string engineVersion;
    if (!ReadEngineVersion(engineLibrary, engineVersion))
        MessageBoxA(owner, kMsgEngineMissing, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    SetText(key.get(), "Purvex.dll", engineVersion);
    SetText(key.get(), "KordonDll.dll", KORDON_DLL_SHIPPED_VERSION);
    SetText(key.get(), "PurvexADB", PURVEX_ADB_SHIPPED_VERSION);
    SetText(key.get(), "KordonADB", KORDON_ADB_SHIPPED_VERSION);
    SetText(key.get(), "StartPage", "about:blank");
    // The release's files without a version text of their own (the
    // updater's file table) came with this Purvex.exe.
    const std::string release = ReadFileVersion("Purvex.exe");
    for (int number = 1; number <= freshen::kItemCount; ++number) {
        const freshen::UpdateItem& item = freshen::Item(number);
        if (item.releaseVersion) SetText(key.get(), item.valueWritten, release);
    }
}

std::string ReadFileVersion(const char* fileName) {
    const std::string file = ProgramFolder() + fileName;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return "";
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, info.data())) return "";

    void* block = nullptr;
    UINT blockSize = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &block, &blockSize) ||
        blockSize < sizeof(DWORD)) {
        return "";
    }
    const WORD* translation = static_cast<const WORD*>(block);  // language, code page
    char query[64];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
    if (!VerQueryValueA(info.data(), query, &block, &blockSize) || !block) return "";
    // blockSize counts characters, possibly with the terminator: stop at the first zero.
    const char* text = static_cast<const char*>(block);
    return std::string(text, strnlen(text, blockSize));
}

}  // namespace shell
