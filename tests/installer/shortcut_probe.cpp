// What the installer tests need from the Windows side of an installation, read the way the
// shell reads it:
//   shortcut_probe list FOLDER
//       one line per shortcut (*.lnk) in FOLDER: "<file name>|<target>|<start folder>", read back
//       through IShellLink; exit code 1 when a shortcut cannot be read.
//   shortcut_probe start SHORTCUT TITLE
//       opens SHORTCUT as the shell does on a double-click and waits up to 60 s for a visible
//       top-level window titled TITLE; exit code 0 when it appeared (the program is left running).
// Output is in the ANSI code page.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "base/unique_handle.h"

namespace {

// Owns one reference to a COM interface.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p_) p_->Release();
    }
    Interface* operator->() const { return p_; }
    Interface* get() const { return p_; }
    void** put() { return reinterpret_cast<void**>(&p_); }

private:
    Interface* p_ = nullptr;
};

struct ComScope {
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
};

// The shortcut's target and start folder; false when it cannot be loaded.
bool ReadShortcut(const std::string& path, std::string& target, std::string& startFolder) {
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put())))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put()))) return false;
    wchar_t widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH)) return false;
    if (FAILED(file->Load(widePath, STGM_READ))) return false;
    char text[MAX_PATH] = {};
    if (FAILED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) return false;
    target = text;
    text[0] = '\0';
    if (FAILED(link->GetWorkingDirectory(text, MAX_PATH))) return false;
    startFolder = text;
    return true;
}

int ListShortcuts(const std::string& folder) {
    WIN32_FIND_DATAA found;
    base::UniqueFind find(FindFirstFileA((folder + "\\*.lnk").c_str(), &found));
    if (!find) return 0;
    int result = 0;
    do {
        std::string target, startFolder;
        if (!ReadShortcut(folder + "\\" + found.cFileName, target, startFolder)) {
            std::printf("%s|unreadable|\n", found.cFileName);
            result = 1;
            continue;
        }
        std::printf("%s|%s|%s\n", found.cFileName, target.c_str(), startFolder.c_str());
    } while (FindNextFileA(find.get(), &found));
    return result;
}

int StartShortcut(const char* shortcut, const char* title) {
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", shortcut, nullptr, nullptr, SW_SHOWNORMAL)) <= 32) {
        std::printf("the shell did not open %s\n", shortcut);
        return 1;
    }
    for (int waited = 0; waited < 600; ++waited) {
        HWND window = FindWindowA(nullptr, title);
        if (window && IsWindowVisible(window)) return 0;
        Sleep(100);
    }
    std::printf("no window titled %s\n", title);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    ComScope com;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "list" && argc == 3) return ListShortcuts(argv[2]);
    if (command == "start" && argc == 4) return StartShortcut(argv[2], argv[3]);
    std::fprintf(stderr, "usage: shortcut_probe list FOLDER | start SHORTCUT TITLE\n");
    return 2;
}
