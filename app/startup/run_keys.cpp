// The Run-type registry keys and the rows of their values.
#include <utility>

#include "app/startup/startup_entries.h"
#include "app/startup/value_text.h"
#include "base/unique_handle.h"
#include "base/wow64.h"

namespace startup {

namespace {
constexpr DWORD kNameRoom = 255;      // value names, terminator included
constexpr size_t kRowsBeforeNarrowing = 8;

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunDash[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run-";
constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kRunOnceEx[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
constexpr char kRunServices[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr char kRunServicesOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce";
constexpr char kShellStartup[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\Startup";
}  // namespace

const RunKey kRunKeys[kRunKeyCount] = {
    {HKEY_CURRENT_USER, kRun},          {HKEY_CURRENT_USER, kRunDash},
    {HKEY_CURRENT_USER, kRunOnce},      {HKEY_CURRENT_USER, kRunOnceEx},
    {HKEY_CURRENT_USER, kRunServices},  {HKEY_CURRENT_USER, kRunServicesOnce},
    {HKEY_CURRENT_USER, kShellStartup},
    {HKEY_LOCAL_MACHINE, kRun},         {HKEY_LOCAL_MACHINE, kRunDash},
    {HKEY_LOCAL_MACHINE, kRunOnce},     {HKEY_LOCAL_MACHINE, kRunOnceEx},
    {HKEY_LOCAL_MACHINE, kRunServices}, {HKEY_LOCAL_MACHINE, kRunServicesOnce},
};

void AddRegistryKey(HKEY root, const char* key, StartupList* list, bool view64) {
    if (view64 && !base::RunsUnderWow64()) return;
    // Reading is all the listing needs, so an account that may not write to
    // the machine's keys still sees their rows.
    base::UniqueHKey handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ | (view64 ? base::Registry64View() : 0), handle.put()) != ERROR_SUCCESS)
        return;
    if (view64) {
        base::UniqueHKey seen;  // a key both views share is listed once
        if (RegOpenKeyExA(root, key, 0, KEY_READ, seen.put()) == ERROR_SUCCESS &&
            base::SameKey(seen.get(), handle.get()))
            return;
    }
    DWORD count = 0;
    if (RegQueryInfoKeyA(handle.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    const std::string path = std::string(root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") +
                             key + (view64 ? k64BitViewMarker : "");

    size_t added = 0;
    for (DWORD i = 0; i < count; ++i) {
        char name[kNameRoom];
        DWORD nameSize = kNameRoom;
        if (RegEnumValueA(handle.get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;  // a name past 255 bytes could be neither shown nor deleted
        StartupRow row;
        row.name = name;
        row.data = ReadValueText(handle.get(), name);
        row.path = path;
        // This key's rows go above every row listed before, in their own order.
        list->rows.insert(list->rows.begin() + added, std::move(row));
        if (++added > kRowsBeforeNarrowing) list->narrowPathColumn = true;
    }
}

}  // namespace startup
