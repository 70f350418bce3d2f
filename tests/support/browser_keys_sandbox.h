// The browser's keys that a cure resets (the machine's Main and Search keys,
// the user's Main key), each saved for one test and put back afterwards. The
// names are spelt out here rather than taken from the code under test.
#pragma once
#include <windows.h>

#include "tests/support/registry_sandbox.h"

namespace pvtest {

inline constexpr char kIeMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kIeSearch[] = "Software\\Microsoft\\Internet Explorer\\Search";

struct BrowserKeysSandbox {
    // Each key is made when missing; the machine's Search key is handled as
    // machineSearchMode says.
    explicit BrowserKeysSandbox(KeyBackup::Mode machineSearchMode = KeyBackup::kEnsure)
        : machineMain(HKEY_LOCAL_MACHINE, kIeMain, KeyBackup::kEnsure),
          machineSearch(HKEY_LOCAL_MACHINE, kIeSearch, machineSearchMode),
          userMain(HKEY_CURRENT_USER, kIeMain, KeyBackup::kEnsure) {}
    KeyBackup machineMain, machineSearch, userMain;
};

}  // namespace pvtest
