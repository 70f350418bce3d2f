#include "tests/support/startup_sandbox.h"

#include "base/wow64.h"

namespace startuptest {

StartupSandbox::StartupSandbox() {
    for (const startup::RunKey& key : startup::kRunKeys) {
        keys_.push_back(std::make_unique<pvtest::KeyBackup>(key.root, key.path, pvtest::KeyBackup::kDelete));
        if (key.root == HKEY_LOCAL_MACHINE && base::RunsUnderWow64())  // the 64-bit view's own keys
            keys_.push_back(std::make_unique<pvtest::KeyBackup>(key.root, key.path, pvtest::KeyBackup::kDelete,
                                                                base::Registry64View()));
    }
    for (const std::string& folder : startup::StartupFolders(startup::LogonUserName()))
        folders_.push_back(std::make_unique<pvtest::PlantedFolder>(folder.substr(0, folder.size() - 1)));
}

// The folders go in the reverse order of their making: a profile folder the
// first one made is empty only once the later ones are gone.
StartupSandbox::~StartupSandbox() {
    while (!folders_.empty()) folders_.pop_back();
}

std::string KeyRowPath(HKEY root, const std::string& key) {
    return (root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + key;
}

bool PlantText(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type) {
    return pvtest::SetValue(root, key, name.c_str(), text + '\0', type);
}

std::vector<startup::StartupRow> RowsIn(const std::vector<startup::StartupRow>& rows, const std::string& path) {
    std::vector<startup::StartupRow> found;
    for (const startup::StartupRow& row : rows)
        if (row.path == path) found.push_back(row);
    return found;
}

std::vector<startup::StartupRow> PlantedRows(const std::vector<startup::StartupRow>& rows) {
    std::vector<startup::StartupRow> found;
    for (const startup::StartupRow& row : rows)
        if (startup::KindOf(row) == startup::RowKind::kRegistryValue || row.name.compare(0, 2, "pv") == 0)
            found.push_back(row);
    return found;
}

startup::StartupRow Row(const std::string& name, const std::string& data, const std::string& path) {
    startup::StartupRow row;
    row.name = name;
    row.data = data;
    row.path = path;
    return row;
}

}  // namespace startuptest
