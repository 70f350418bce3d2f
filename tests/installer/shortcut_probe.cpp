// shortcut_probe FOLDER: one line per shortcut (*.lnk) in FOLDER, read back through IShellLink as
// the shell reads it: "<file name>|<target>|<start folder>" (or "<file name>|unreadable"), in the
// ANSI code page.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "base/unique_handle.h"

namespace {

template <typename Interface>
struct ComRef {  // owns one reference
    Interface* p = nullptr;
    ~ComRef() {
        if (p) p->Release();
    }
    void** put() { return reinterpret_cast<void**>(&p); }
};

std::string TargetAndStartFolder(const std::string& path) {
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    wchar_t widePath[MAX_PATH];
    char target[MAX_PATH] = "", startFolder[MAX_PATH] = "";
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put())) ||
        FAILED(link.p->QueryInterface(IID_IPersistFile, file.put())) ||
        !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) ||
        FAILED(file.p->Load(widePath, STGM_READ)) ||
        FAILED(link.p->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) ||
        FAILED(link.p->GetWorkingDirectory(startFolder, MAX_PATH))) {
        return "unreadable";
    }
    return std::string(target) + "|" + startFolder;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    CoInitialize(nullptr);
    WIN32_FIND_DATAA found;
    base::UniqueFind find(FindFirstFileA((folder + "\\*.lnk").c_str(), &found));
    while (find) {
        std::printf("%s|%s\n", found.cFileName, TargetAndStartFolder(folder + "\\" + found.cFileName).c_str());
        if (!FindNextFileA(find.get(), &found)) break;
    }
    CoUninitialize();
    return 0;
}
