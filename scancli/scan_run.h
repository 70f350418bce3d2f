// What PurvexScan.exe does for each mode, in its own folder (the current one):
// the engine and the database are the scan page's, and so are the scan logs,
// the backups and the browser reset after a cure. Each returns the exit code.
#pragma once
#include <string>

#include "scancli/console_out.h"
#include "scancli/scan_switches.h"

namespace scancli {

// path made full against the current folder; path itself when it cannot be.
std::string FullPath(const std::string& path);

// From now on Ctrl+C and Ctrl+Break ask a running scan or cure to stop before
// its next record instead of ending the program.
void CatchStopRequests();

// /scan or /cure. reportPath: a full path, or empty without /report.
int RunScanOrCure(const ScanSwitches& switches, const std::string& reportPath, ConsoleOut& out);
// /list.
int ListRecords(ConsoleOut& out);
// /restore:name.
int RestoreCure(const std::string& name, ConsoleOut& out);

}  // namespace scancli
