#include "base/wow64.h"

#include "base/registry_links.h"
#include "base/system_function.h"

namespace base {

namespace {

// The libraries of the checks made with redirection off (base/protected_locations.cpp:
// shell folders, profile folders, protected files), loaded once from this
// process's own system folder and never freed: a later load by name finds them.
void LoadCheckLibraries() {
    static const bool loaded = [] {
        for (const char* library : {"shell32.dll", "shfolder.dll", "userenv.dll", "sfc.dll", "sfc_os.dll"})
            LoadLibraryA(library);
        return true;
    }();
    (void)loaded;
}
}  // namespace

UINT WINAPI SystemWow64Directory(LPSTR out, UINT size) {
    using QueryFn = UINT(WINAPI*)(LPSTR, UINT);
    static const auto query = SystemFunction<QueryFn>("kernel32.dll", "GetSystemWow64DirectoryA");
    return query ? query(out, size) : 0;
}

REGSAM Registry64View() { return RunsUnderWow64() ? KEY_WOW64_64KEY : 0; }

LONG DeleteKeyInView(HKEY root, const char* subkey, REGSAM viewFlag) {
    const HeldKey key = OpenKeyWay(root, subkey ? subkey : "", DELETE, viewFlag);
    if (key.reach() == Reach::kGone) return ERROR_FILE_NOT_FOUND;
    return key.ok() ? key.DeleteSelf() : ERROR_ACCESS_DENIED;
}

FileRedirectionOff::FileRedirectionOff(bool off) {
    using DisableFn = BOOL(WINAPI*)(PVOID*);
    static const auto disable = SystemFunction<DisableFn>("kernel32.dll", "Wow64DisableWow64FsRedirection");
    if (!off || !RunsUnderWow64() || !disable) return;
    LoadCheckLibraries();
    off_ = disable(&previous_) != FALSE;
}

FileRedirectionOff::~FileRedirectionOff() {
    using RevertFn = BOOL(WINAPI*)(PVOID);
    static const auto revert = SystemFunction<RevertFn>("kernel32.dll", "Wow64RevertWow64FsRedirection");
    if (off_ && revert) revert(previous_);
}

}  // namespace base
