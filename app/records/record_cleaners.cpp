#include "app/records/record_cleaners.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <urlhist.h>

#include <string>

#include "app/records/folder_cleaner.h"
#include "app/records/key_security.h"
#include "app/records/key_values.h"
#include "base/path_text.h"
#include "base/platform.h"
#include "base/registry_links.h"

namespace records {

namespace {

constexpr char kTypedUrlsKey[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr char kIntelliFormsKey[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
constexpr char kRecentDocsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
constexpr char kRunMruKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr char kRunMruOrder[] = "MRUList";
constexpr char kPlayerFilesKey[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
constexpr char kProviderKey[] = "Software\\Microsoft\\Protected Storage System Provider\\";
constexpr char kFormDataKey[] = "\\Data\\e161255a-37c3-11d2-bcaa-00c04fd929db";

// The URL history store and the interface whose ClearHistory it offers.
constexpr CLSID kUrlHistoryClass = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
constexpr IID kUrlHistoryStg2 = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

constexpr DWORD kUserNameSize = 261;  // names of up to 260 characters, terminator included

void CleanShellFolder(int csidl, bool wipeIndexFile) {
    char folder[MAX_PATH];
    if (SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE)) CleanFolder(folder, false, wipeIndexFile);
}

// Gives a key its saved DACL back when it goes, once the key's DACL was
// changed, whatever happened after the change.
class SavedDacl {
public:
    SavedDacl(const std::string& path, SecurityBytes saved) : path_(path), saved_(std::move(saved)) {}
    ~SavedDacl() {
        if (changed_ && !saved_.empty()) WriteKeyDacl(HKEY_CURRENT_USER, path_.c_str(), saved_.data(), false);
    }
    SavedDacl(const SavedDacl&) = delete;
    SavedDacl& operator=(const SavedDacl&) = delete;
    void Changed() { changed_ = true; }

private:
    std::string path_;
    SecurityBytes saved_;
    bool changed_ = false;
};

// The NT family keeps the user's protected storage under keys only the system
// may change: the user's key and "Data" are opened up for the user, then the
// form key's tree, which is deleted.
void DeleteUserFormData() {
    SidBytes sid;
    if (!GetUserSid(sid)) return;
    const std::string userKey = kProviderKey + SidToText(sid.data());
    const std::string dataKey = userKey + "\\Data";
    const std::string formKey = userKey + kFormDataKey;

    SecurityBytes saved;
    ReadKeyDacl(HKEY_CURRENT_USER, userKey.c_str(), saved);
    OpenDacl open;
    if (!BuildOpenDacl(sid.data(), open)) return;
    SavedDacl restore(userKey, std::move(saved));
    if (WriteKeyDacl(HKEY_CURRENT_USER, userKey.c_str(), open.descriptor(), false)) restore.Changed();
    WriteKeyDacl(HKEY_CURRENT_USER, dataKey.c_str(), open.descriptor(), false);
    WriteKeyDacl(HKEY_CURRENT_USER, formKey.c_str(), open.descriptor(), true);
    base::RemoveKeyTreeOnWay(HKEY_CURRENT_USER, formKey, 0);
}

void DeleteMachineFormData() {
    char user[kUserNameSize];
    DWORD size = kUserNameSize;
    if (!GetUserNameA(user, &size) || !user[0]) return;
    const std::string formKey = kProviderKey + std::string(user) + kFormDataKey;
    base::RemoveKeyTreeOnWay(HKEY_LOCAL_MACHINE, formKey, 0);
}

}  // namespace

bool ClearUrlHistoryStore() {
    IUrlHistoryStg2* store = nullptr;
    if (FAILED(CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, kUrlHistoryStg2,
                                reinterpret_cast<void**>(&store))) || !store)
        return false;
    const HRESULT cleared = store->ClearHistory();
    store->Release();
    return SUCCEEDED(cleared);
}

void CleanVisitHistory() {
    ClearUrlHistoryStore();
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length && length < MAX_PATH)
        CleanFolder(base::JoinPath(std::string(windows, length), "History").c_str(), false, true);
    CleanShellFolder(CSIDL_HISTORY, true);
}

void CleanTypedUrls() { base::RemoveKeyTreeOnWay(HKEY_CURRENT_USER, kTypedUrlsKey, 0); }

void CleanRecentDocs() {
    CleanShellFolder(CSIDL_RECENT, false);
    base::RemoveKeyTreeOnWay(HKEY_CURRENT_USER, kRecentDocsKey, 0);
}

void CleanRunMru() { RemoveValuesExcept(kRunMruKey, kRunMruOrder); }

void CleanPlayerHistory() { RemoveValuesExcept(kPlayerFilesKey, nullptr); }

void CleanFormData() {
    if (!base::Reports9xFamily()) DeleteUserFormData();
    DeleteMachineFormData();
}

void CleanSavedPasswords() { base::RemoveKeyTreeOnWay(HKEY_CURRENT_USER, kIntelliFormsKey, 0); }

}  // namespace records
