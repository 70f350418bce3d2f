#include "engine/repair.h"

#include <windows.h>
#include <string.h>

#include "adb/item_type.h"
#include "backup/keeper.h"
#include "base/deletion.h"
#include "base/protected_locations.h"
#include "base/wow64.h"
#include "engine/bounded_text.h"
#include "engine/registry_roots.h"
#include "engine/removal.h"
#include "engine/restart_removal.h"
#include "engine/winsock_catalog.h"

namespace engine {

namespace {

// "\name" in the system or Windows folder; "" when the folder cannot be read.
void FolderFile(UINT (WINAPI* query)(LPSTR, UINT), const char* name, char* out) {
    char folder[kPathSize];
    UINT n = query(folder, kPathSize);
    if (n == 0 || n >= kPathSize || !JoinText(out, kPathSize, folder, name)) out[0] = 0;
}

void EndFlaggedProcesses(const AdwareItem& item, ProcessTable& table) {
    if (item.killRundll32 == 1) {
        // On 64-bit Windows a 32-bit Rundll32.exe runs from the 32-bit system
        // folder, whatever the system folder's name says: end it there too.
        for (auto folder : {GetSystemDirectoryA, base::SystemWow64Directory}) {
            char rundll[kPathSize];
            FolderFile(folder, "\\Rundll32.exe", rundll);
            if (!rundll[0]) continue;
            table.Refresh();
            KillProcessByPath(table, rundll);
        }
    }
    if (item.killOwnProcess == 1) {
        table.Refresh();
        KillProcessByPath(table, item.location);
    }
    if (item.restartExplorer == 1) {
        char explorer[kPathSize];
        FolderFile(GetWindowsDirectoryA, "\\explorer.exe", explorer);
        table.Refresh();
        KillProcessByPath(table, explorer);
        // Under WOW64 the shell just ended is the 64-bit one in the Windows
        // folder; a search for "explorer.exe" would start the 32-bit one of
        // the 32-bit system folder.
        WinExec(base::RunsUnderWow64() && explorer[0] ? explorer : "explorer.exe", SW_SHOWNORMAL);
    }
}

// A registry item (codes 2-18, 34-49): its key held where the system
// resolves the location, the key itself never followed (base/registry_links.h).
// Refused when the record names a protected key or value, or when the key it
// reaches really is one (a link on the way leading there), its processes
// left running too; the removal then acts on exactly the key judged. Codes
// with no root (10-16, 42-47) remove nothing and fail. With a keeper the item
// is saved first and removed only then. Returns a PurvexItemOutcome.
uint8_t RemoveRegistryItem(const AdwareItem& item, const char* location, const char* target, View view,
                           ProcessTable& table, backup::Keeper* keeper, const char* record) {
    const adb::ItemTypeInfo info = adb::DescribeItemType(item.type);
    const HKEY root = RootKeyHandle(info.root);
    const bool isKey = info.kind == adb::ItemKind::key;
    base::HeldKey key;
    if (root) {
        if (isKey ? base::IsProtectedKey(root, location) : base::IsProtectedValue(root, location, target))
            return PURVEX_ITEM_REFUSED;
        key = base::HoldKey(root, location, isKey ? DELETE | KEY_ENUMERATE_SUB_KEYS : KEY_SET_VALUE,
                            RegistryViewFlag(view));
        if (key.ok() && (isKey ? base::IsProtectedKey(key) : base::IsProtectedValue(key, target)))
            return PURVEX_ITEM_REFUSED;
    }
    EndFlaggedProcesses(item, table);
    if (!key.ok()) return PURVEX_ITEM_FAILED;
    auto remove = [&] { return isKey ? RemoveKeyTree(key) == ERROR_SUCCESS : RemoveRegistryValue(key, target); };
    bool removed;
    if (!keeper)
        removed = remove();
    else if (isKey)
        removed = keeper->KeepKey(key, view == View::k64Bit, record, remove);
    else
        removed = keeper->KeepValue(key, target, view == View::k64Bit, record, remove);
    return removed ? PURVEX_ITEM_REMOVED : PURVEX_ITEM_FAILED;
}

bool IsFolderItem(uint8_t type) { return type == 1 || type == 33; }
bool IsRegistryItem(uint8_t type) { return (type >= 2 && type <= 18) || (type >= 34 && type <= 49); }

// A file or folder item where the scan found it: as this process sees it, or
// in the 64-bit half, which is reached with the system's file redirection off
// (by path and for every handle-relative step below it). The location is
// resolved once, as the system resolves it; the protected check and the
// removal both concern what was reached then (base/deletion.h), and nothing
// further is followed. A share or device path, a protected folder and a file
// the system owns are left alone, their processes included (the own-process kill would end
// whatever runs from there). With a keeper the item is moved into the
// backup, which is its removal. An item that stays (in use) is left for the
// next start of Windows where restart allows it. endProcesses: the item's
// flags end processes first. Returns a PurvexItemOutcome.
uint8_t RemoveFileSystemItem(const AdwareItem& item, const char* location, View view, ProcessTable& table,
                             backup::Keeper* keeper, const char* record, RestartRemoval* restart, int index,
                             bool endProcesses) {
    if (base::IsDeviceOrNetworkPath(location)) return PURVEX_ITEM_REFUSED;
    const bool isFolder = IsFolderItem(item.type);
    const bool native = view == View::k64Bit;
    base::HeldItem held;
    {
        base::FileRedirectionOff redirection(native);
        held = base::HoldPath(location);
        const bool reached = held.reach() == base::Reach::kHeld;
        const bool isProtected = isFolder
                                     ? base::IsProtectedFolder(location) || (reached && base::IsProtectedFolder(held))
                                     : base::IsProtectedFile(location) || (reached && base::IsProtectedFile(held));
        if (isProtected) return PURVEX_ITEM_REFUSED;
    }
    if (endProcesses) EndFlaggedProcesses(item, table);  // loads the process list library: redirection on
    if (held.reach() != base::Reach::kHeld || held.IsFolder() != isFolder) return PURVEX_ITEM_FAILED;
    base::FileRedirectionOff redirection(native);
    bool removed;
    if (keeper)
        removed = keeper->KeepFileOrFolder(held, native, record);
    else
        removed = isFolder ? held.RemoveTree(base::Attributes::kNormal) : held.Delete(base::Attributes::kAsTheyAre);
    if (removed) return PURVEX_ITEM_REMOVED;
    if (!restart) return PURVEX_ITEM_FAILED;
    return restart->Leave(index, held, native, keeper, record, item.type, location, view);
}

bool IsFileItem(uint8_t type) { return type == 0 || type == 32; }

}  // namespace

uint8_t ResultOutcome(const uint8_t* types, uint32_t count, const uint8_t* outcomes) {
    bool recorded = false, fileOrFolderSeen = false;
    uint8_t outcome = 1, fileOrFolderOutcome = 1;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t type = types[i];
        if (!IsFileItem(type) && !IsFolderItem(type) && !IsRegistryItem(type)) continue;
        const uint8_t ok = outcomes[i] == PURVEX_ITEM_REMOVED || outcomes[i] == PURVEX_ITEM_AT_RESTART ? 1 : 0;
        if (type == 32 || type == 33) {
            fileOrFolderSeen = true;
            fileOrFolderOutcome = ok;
        } else {
            recorded = true;
            outcome = ok;
        }
    }
    if (recorded) return outcome;
    return fileOrFolderSeen ? fileOrFolderOutcome : 1;
}

bool IsNewdotnetName(const char* name) {
    static const char kName[] = "Newdotnet";
    if (!name || !name[0]) return false;
    size_t n = strnlen(name, sizeof(kName));
    return n < sizeof(kName) && EqualsNoCaseN(name, kName, n);
}

uint8_t RepairResult(const AdScanResult& result, ProcessTable& table, const View* views, backup::Keeper* keeper,
                     uint8_t* outcomes, RestartRemoval* restart) {
    const char* record = result.name ? result.name : "";
    if (IsNewdotnetName(result.name)) {
        if (keeper) KeepWinsockCatalog(*keeper, record);
        RepairWinsockCatalog();
    }
    if (restart) restart->Forget();

    uint8_t own[256] = {}, types[256] = {};
    if (!outcomes) outcomes = own;
    const uint32_t count = result.items ? (result.foundCount & 0xFF) : 0;
    for (uint32_t i = 0; i < count; ++i) {
        const AdwareItem& item = result.items[i];
        types[i] = item.type;
        const char* location = item.location ? item.location : "";
        const char* target = item.target ? item.target : "";
        if (!IsFileItem(item.type) && !IsFolderItem(item.type) && !IsRegistryItem(item.type)) {
            EndFlaggedProcesses(item, table);
            continue;  // 19-31 and above 49: nothing to remove
        }
        // Where the scan found it: the registry view, and for a file or
        // folder the path that reaches it there.
        const View view = views ? views[i] : View::kSeen;

        uint8_t itemOutcome;
        if (IsFileItem(item.type) || IsFolderItem(item.type)) {
            itemOutcome = RemoveFileSystemItem(item, location, view, table, keeper, record, restart,
                                               static_cast<int>(i), true);
        } else {
            itemOutcome = RemoveRegistryItem(item, location, target, view, table, keeper, record);
        }
        outcomes[i] = itemOutcome;
    }
    return ResultOutcome(types, count, outcomes);
}

void LeaveUnkeptAtRestart(const std::string& record, ProcessTable& table, backup::Keeper* keeper, uint8_t* outcomes,
                          RestartRemoval& restart) {
    const uint8_t mode = restart.mode();
    restart.SetMode(PURVEX_RESTART_UNKEPT);
    for (const RestartRemoval::Waiting& waiting : restart.TakeWaiting()) {
        AdwareItem item = {};
        item.type = waiting.type;
        outcomes[waiting.index] = RemoveFileSystemItem(item, waiting.location.c_str(), waiting.view, table, keeper,
                                                       record.c_str(), &restart, waiting.index, false);
    }
    restart.SetMode(mode);
}

}  // namespace engine
