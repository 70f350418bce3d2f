#include "app/cure/cure_backup.h"

#include <stdio.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/cure/browser_defaults.h"
#include "app/cure/scan_log.h"
#include "backup/backup_folder.h"
#include "backup/keeper.h"
#include "base/deletion.h"

namespace cure {

namespace {

constexpr char kBrowserSettingsRecord[] = "브라우저 설정";
constexpr size_t kPassNumberDigits = 8;
constexpr int kHighestPassNumber = 99999999;

// The number of a pass folder's name: eight digits and nothing else; -1 otherwise.
int PassNumber(const std::string& name) {
    if (name.size() != kPassNumberDigits || name.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(name);
}

// A new numbered folder in the backup root, both made here relative to the
// installation folder and never through a link; empty when none could be made.
std::string MakeNumberedFolder() {
    using Reaching = base::OpenFolder::Reaching;
    const base::OpenFolder root = base::OpenFolder::Resolved(".").Below(backup::kBackupRootName, Reaching::kOpenOrMake);
    std::vector<base::FolderEntry> entries;
    if (!root.List(&entries)) return std::string();
    int number = 1;
    for (const base::FolderEntry& entry : entries)
        if (entry.IsFolder() && PassNumber(entry.name) >= number) number = PassNumber(entry.name) + 1;
    for (; number <= kHighestPassNumber; ++number) {
        char name[16];
        snprintf(name, sizeof name, "%08d", number);
        if (root.Below(name, Reaching::kNew).ok()) return std::string(kBackupRoot) + "\\" + name;
        base::FolderEntry taken;
        if (!root.Find(name, &taken)) break;  // not made for another reason
    }
    return std::string();
}

}  // namespace

std::string CureBackupFolder(const std::string& passLogFolder) {
    if (!passLogFolder.empty()) return passLogFolder + "\\" + kLogBackupName;
    const std::string folder = MakeNumberedFolder();
    if (!folder.empty()) PruneBackups(kBackupRoot, kKeptBackups);
    return folder;
}

void PruneBackups(const std::string& root, int keep) {
    const base::OpenFolder folder = base::OpenFolder::Root(root.c_str());
    std::vector<base::FolderEntry> entries;
    if (!folder.List(&entries)) return;
    std::vector<std::pair<int, base::FolderEntry>> numbered;
    for (base::FolderEntry& entry : entries)
        if (entry.IsFolder() && PassNumber(entry.name) >= 0) numbered.emplace_back(PassNumber(entry.name), entry);
    std::sort(numbered.begin(), numbered.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });  // newest first
    for (size_t i = static_cast<size_t>(keep > 0 ? keep : 0); i < numbered.size(); ++i)
        base::HoldEntry(folder.Duplicate(), numbered[i].second).RemoveTree(base::Attributes::kNormal);
}

bool KeepBrowserSettings(const std::string& folder) {
    std::vector<backup::Keeper::Setting> settings;
    for (const BrowserDefaultKey& key : kBrowserDefaults)
        for (int i = 0; i < key.count; ++i) settings.push_back({key.root, key.path, key.values[i].name});
    // The start page the cure applies goes in the current user's key, after its other values.
    settings.push_back({HKEY_CURRENT_USER, kBrowserUserMainKey, kBrowserStartPageValue});
    backup::Keeper keeper(folder);
    return keeper.KeepSettings(settings, kBrowserSettingsRecord);
}

}  // namespace cure
