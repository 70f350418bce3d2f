// PurvexScan.exe: the scan and cure of the scan page, unattended, from the
// command line. See scan_texts.h for what it says and the README ("Command
// line") for its switches, exit codes and report.
#include <windows.h>

#include <string>
#include <vector>

#include "base/own_folder.h"
#include "base/program_markers.h"
#include "scancli/console_out.h"
#include "scancli/scan_run.h"
#include "scancli/scan_switches.h"
#include "scancli/scan_texts.h"

int main(int argc, char** argv) {
    using namespace scancli;
    ScanSwitches switches;
    std::string fault;
    const char* faultFormat = nullptr;
    if (!ParseSwitches(std::vector<std::string>(argv + 1, argv + argc), &switches, &fault, &faultFormat)) {
        ConsoleOut out(false);
        out.Error(Formatted(faultFormat, fault.c_str()) + "\r\n" + kUsage);
        return 2;
    }
    ConsoleOut out(switches.quiet);
    if (switches.mode == Mode::kHelp) {
        out.Print(kUsage);
        return 0;
    }
    // A relative report path means the folder the program was started in.
    const std::string reportPath = switches.reportPath.empty() ? std::string() : FullPath(switches.reportPath);
    if (!base::EnterOwnFolder()) {
        out.Error(kMsgOwnFolder);
        return 2;
    }
    // The setup program waits while any program of the release runs.
    base::ProgramMarker running = base::ProgramMarker::Hold(base::kRunningMarker);
    CatchStopRequests();
    switch (switches.mode) {
    case Mode::kList: return ListRecords(out);
    case Mode::kRestore: return RestoreCure(switches.restoreName, out);
    default: return RunScanOrCure(switches, reportPath, out);
    }
}
