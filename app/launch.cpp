#include "app/launch.h"

#include <windows.h>
#include <shellapi.h>

#include "app/program_folder.h"
#include "app/shell_texts.h"

namespace shell {
namespace {

void OpenWithBrowser(const std::string& address) {
    ShellExecuteA(nullptr, "open", "IEXPLORE.EXE", address.c_str(), nullptr, SW_SHOW);
}

void RunUpdater() {
    const std::string command = "\"" + ProgramFolder() + kUpdaterProgram + "\"";
    WinExec(command.c_str(), SW_SHOW);
}

AddressLauncher openAddress = OpenWithBrowser;
ProgramLauncher startUpdater = RunUpdater;

}  // namespace

std::string MakerPage(const char* path) { return std::string(kMakerHost) + path; }

void OpenInBrowser(const std::string& address) { openAddress(address); }

void StartUpdater() { startUpdater(); }

void SetLaunchersForTesting(AddressLauncher open, ProgramLauncher updater) {
    openAddress = open ? open : OpenWithBrowser;
    startUpdater = updater ? updater : RunUpdater;
}

}  // namespace shell
