#include "scancli/scan_run.h"

#include <windows.h>
#include <string.h>

#include <algorithm>

#include "app/cure/cure_backup.h"
#include "app/cure/cure_texts.h"
#include "app/cure/cured_row.h"
#include "app/cure/engine_library.h"
#include "app/cure/restart_log.h"
#include "app/cure/scan_log.h"
#include "app/cure/start_page.h"
#include "app/purvex_version.h"
#include "backup/manifest.h"
#include "base/program_markers.h"
#include "scancli/database_index.h"
#include "scancli/json_report.h"
#include "scancli/scan_texts.h"

namespace scancli {

namespace {

volatile LONG g_stopRequested = 0;

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    InterlockedExchange(&g_stopRequested, 1);
    return TRUE;
}

bool StopRequested() { return g_stopRequested != 0; }

SYSTEMTIME Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
}

std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// Whether this process acts with the Administrators group (on Vista and
// later: elevated). True where the system cannot tell (the 9x family, NT 4).
bool IsAdministrator() {
    using CheckTokenMembershipFn = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);
    const auto check = reinterpret_cast<CheckTokenMembershipFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "CheckTokenMembership")));
    if (!check) return true;
    // S-1-5-32-544, built in place.
    struct {
        BYTE revision = SID_REVISION;
        BYTE subAuthorityCount = 2;
        SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
        DWORD subAuthorities[2] = {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS};
    } administrators;
    BOOL member = FALSE;
    return check(nullptr, &administrators, &member) && member;
}

const char* KindText(const FoundItem& item) {
    if (strcmp(item.kind, "file") == 0) return kKindFile;
    if (strcmp(item.kind, "folder") == 0) return kKindFolder;
    if (strcmp(item.kind, "key") == 0) return kKindKey;
    if (strcmp(item.kind, "value") == 0) return kKindValue;
    return kKindOther;
}

// "[id] name : kind place", and the outcome after a cure.
std::string ItemLine(const FoundRecord& record, const FoundItem& item, bool withOutcome) {
    std::string place = item.place;
    if (item.hasValueName) place += Formatted(kValueNameFormat, item.valueName.c_str());
    std::string line = Formatted(kItemFormat, static_cast<int>(record.id), record.name.c_str(), KindText(item), place.c_str());
    if (withOutcome) line += Formatted(kOutcomeFormat, OutcomeText(item.outcome));
    return line + "\r\n";
}

class ScanRun {
public:
    ScanRun(const ScanSwitches& switches, ConsoleOut& out) : switches_(switches), out_(out) {}
    ~ScanRun() { engine_.UnloadAdb(); }  // the found records point into its database

    int Run(const std::string& reportPath);

private:
    int Execute();
    int Fail(const std::string& message);  // 2, the message on standard error and in the report
    bool LoadDatabase();
    bool StartLog();
    bool ScanAll();  // false, after Fail, when stopped or the database changed
    int Cure();      // 0, or 2 after an error
    void PrintSummary();

    const ScanSwitches& switches_;
    ConsoleOut& out_;
    RunReport report_;
    ReportFile reportFile_;
    base::ProgramMarker work_;
    cure::EngineLibrary engine_;
    std::vector<RecordEntry> index_;
    std::string passFolder_;  // empty: not logged
    SYSTEMTIME passStart_ = {};
};

int ScanRun::Run(const std::string& reportPath) {
    report_.started = Now();
    report_.mode = switches_.mode == Mode::kCure ? "cure" : "scan";
    report_.programVersion = PURVEX_EXE_VERSION_TEXT;
    report_.onlyGiven = switches_.onlyGiven;
    report_.only = switches_.only;
    report_.excluded = switches_.excluded;
    if (!reportPath.empty() && !reportFile_.Open(reportPath)) {
        out_.Error(Formatted(kMsgReportUnwritable, reportPath.c_str()));
        return 2;
    }
    int code = Execute();
    report_.ended = Now();
    report_.exitCode = code;
    if (reportFile_.is_open() && !reportFile_.Commit(ReportJson(report_))) {
        out_.Error(Formatted(kMsgReportUnwritable, reportPath.c_str()));
        code = 2;
    }
    return code;
}

int ScanRun::Fail(const std::string& message) {
    out_.Error(message);
    report_.error = WithoutLineEnd(message);
    return 2;
}

int ScanRun::Execute() {
    work_ = base::ProgramMarker::Claim(base::kWorkMarker);
    if (!work_.held()) return Fail(kMsgBusy);
    if (!engine_.Load()) return Fail(kMsgEngineMissing);
    if (!LoadDatabase()) return 2;
    if (!StartLog()) return Fail(kMsgLogUnwritable);

    if (!ScanAll()) {
        if (!passFolder_.empty()) {  // the pass did not complete: logged as a cancelled one
            cure::AppendReportCancelled(passFolder_, Now());
            cure::AppendHeadEnd(passFolder_, false);
        }
        return 2;
    }
    Counts counts = CountOutcomes(report_.records);
    if (!passFolder_.empty()) {
        cure::AppendReportSummary(passFolder_, counts.records, counts.items);
        cure::AppendHeadEnd(passFolder_, true);
        cure::AppendReportCompleted(passFolder_, Now());
    }
    const int cured = switches_.mode == Mode::kCure ? Cure() : 0;
    PrintSummary();
    return cured != 0 ? cured : ExitCodeFor(CountOutcomes(report_.records));
}

// The database as the engine loaded it, and the ids the switches name in it.
bool ScanRun::LoadDatabase() {
    if (!ReadDatabaseIndex(PURVEX_DEFAULT_ADB, &index_) || engine_.LoadAdb(PURVEX_DEFAULT_ADB) < 0 ||
        engine_.GetAdCount() != static_cast<int32_t>(index_.size())) {
        Fail(kMsgDatabaseFailed);
        return false;
    }
    report_.databaseVersion = engine_.GetVer();
    report_.databaseRecords = static_cast<int>(index_.size());
    for (const std::set<int32_t>* ids : {&switches_.only, &switches_.excluded}) {
        for (int32_t id : *ids) {
            bool known = false;
            for (const RecordEntry& entry : index_) known = known || entry.id == id;
            if (!known) {
                Fail(Formatted(kMsgUnknownId, static_cast<int>(id)));
                return false;
            }
        }
    }
    return true;
}

// The pass folder and its first lines, as the scan page writes them.
bool ScanRun::StartLog() {
    if (!switches_.log) return true;
    passStart_ = Now();
    passFolder_ = cure::CreatePassFolder(cure::kLogRoot);
    if (passFolder_.empty()) return false;
    report_.logFolder = FullPath(passFolder_);
    return cure::WriteHeadStart(passFolder_, passStart_) &&
           cure::WriteReportHeading(passFolder_, passStart_, static_cast<int>(index_.size()));
}

bool ScanRun::ScanAll() {
    const int count = static_cast<int>(index_.size());
    for (int index = 0; index < count; ++index) {
        if (StopRequested()) {
            Fail(kMsgStopped);
            return false;
        }
        const RecordEntry& entry = index_[index];
        if (switches_.excluded.count(entry.id)) continue;
        out_.Progress(Formatted(kProgressFormat, index + 1, count, entry.name.c_str()));
        const AdScanResult result = engine_.AdScan(index);
        if (result.id == -1) continue;
        if (result.id != entry.id) {  // the file changed under the engine: the ids would mislead
            Fail(kMsgDatabaseFailed);
            return false;
        }
        FoundRecord record;
        record.result = result;
        record.id = result.id;
        record.name = result.name ? result.name : "";
        record.cureChosen = !switches_.onlyGiven || switches_.only.count(result.id) > 0;
        const uint32_t items = result.foundCount & 0xFF;
        for (uint32_t i = 0; i < items; ++i) {
            record.items.push_back(DescribeItem(result, i));
            out_.Print(ItemLine(record, record.items.back(), false));
        }
        report_.records.push_back(std::move(record));
    }
    out_.EndProgress();
    return true;
}

// The scan page's cure of the chosen records: the backup first (or no
// backup with /nobackup), the repairs, the cure table in the pass's report,
// then the browser settings kept, the start page applied and the browser
// reset.
int ScanRun::Cure() {
    bool any = false;
    for (const FoundRecord& record : report_.records) any = any || record.cureChosen;
    if (!any) return 0;

    std::string backupFolder;
    if (switches_.backup) {
        backupFolder = cure::CureBackupFolder(passFolder_);
        if (backupFolder.empty() || !engine_.SetBackupFolder(backupFolder.c_str()))
            return Fail(kMsgNoBackupFolder);
    }
    // As on the page, an item in use is left for the next start of Windows;
    // while backups are on only with a copy (nobody is asked whether one may
    // go without: it fails), and never restarts Windows itself.
    engine_.SetRestartRemoval(backupFolder.empty() ? PURVEX_RESTART_UNKEPT : PURVEX_RESTART_KEPT);
    bool stopped = false;
    int done = 0, atRestart = 0, failed = 0;
    std::vector<cure::ItemNote> notes;
    {
        cure::CureTableWriter table(passFolder_);
        for (FoundRecord& record : report_.records) {
            if (!record.cureChosen) continue;
            if (StopRequested()) {
                stopped = true;
                break;
            }
            const uint8_t repaired = engine_.AdRepair(record.result);
            record.repaired = repaired != 0;
            record.cured = true;
            for (size_t i = 0; i < record.items.size(); ++i) {
                record.items[i].outcome = OutcomeOf(engine_.GetItemOutcome(static_cast<int32_t>(i)));
                out_.Print(ItemLine(record, record.items[i], true));
            }
            const char* status = cure::CuredRowStatus(engine_, record.result, repaired, &notes);
            done += status == cure::kStatusDone;
            atRestart += status == cure::kStatusAtRestart;
            failed += status == cure::kStatusFailed;
            table.AppendRow(record.name, Formatted("%d", static_cast<int>(record.items.size())), status);
        }
        table.AppendSummary(done, atRestart, failed, notes);
    }
    engine_.SetRestartRemoval(PURVEX_RESTART_OFF);
    // What the next start of the window program checks and writes into this pass's report.
    if (std::any_of(notes.begin(), notes.end(),
                    [](const cure::ItemNote& note) { return note.outcome == PURVEX_ITEM_AT_RESTART; }))
        cure::AppendRestartList(passFolder_, notes);
    engine_.SetBackupFolder(nullptr);
    if (!backupFolder.empty()) cure::KeepBrowserSettings(backupFolder);
    engine_.SetStartPage(cure::AddressOrBlank(cure::ReadStoredStartPage()).c_str());
    cure::ResetBrowserDefaults();
    report_.browserReset = true;
    if (!backupFolder.empty() && backup::HoldsBackup(backupFolder)) report_.backupFolder = FullPath(backupFolder);
    if (CountOutcomes(report_.records).failed > 0 && !IsAdministrator()) out_.Error(kMsgNotAdministrator);
    return stopped ? Fail(kMsgStopped) : 0;
}

void ScanRun::PrintSummary() {
    const Counts counts = CountOutcomes(report_.records);
    if (counts.records == 0) {
        out_.Print(kMsgNothingFound);
    } else {
        out_.Print(Formatted(kFoundSummary, counts.records, counts.items));
        if (switches_.mode == Mode::kCure)
            out_.Print(Formatted(kCureSummary, counts.removed, counts.atRestart, counts.failed, counts.refused,
                                 counts.left));
    }
    if (report_.browserReset) out_.Print(kMsgBrowserReset);
    if (counts.atRestart > 0) out_.Print(kMsgRestartNeeded);
    if (!report_.logFolder.empty()) out_.Print(Formatted(kLogFolderFormat, report_.logFolder.c_str()));
    if (!report_.backupFolder.empty()) out_.Print(Formatted(kBackupFolderFormat, report_.backupFolder.c_str()));
}

bool IsPassNumber(const std::string& name) {
    return name.size() == 8 && name.find_first_not_of("0123456789") == std::string::npos;
}

// The backup folder a /restore name stands for: a log folder's name (its
// backup), or "PurvexBackup\NNNNNNNN" (".\" before it allowed). Nothing
// outside the installation's two folders; empty for any other name.
std::string BackupFolderNamed(std::string name) {
    for (char& c : name)
        if (c == '/') c = '\\';
    if (name.compare(0, 2, ".\\") == 0) name.erase(0, 2);
    if (IsPassNumber(name)) return std::string(cure::kLogRoot) + "\\" + name + "\\" + cure::kLogBackupName;
    const std::string root = cure::kBackupRoot + 2;  // "PurvexBackup"
    if (name.size() == root.size() + 9 && _strnicmp(name.c_str(), root.c_str(), root.size()) == 0 &&
        name[root.size()] == '\\' && IsPassNumber(name.substr(root.size() + 1)))
        return std::string(cure::kBackupRoot) + "\\" + name.substr(root.size() + 1);
    return std::string();
}

}  // namespace

std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

void CatchStopRequests() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

int RunScanOrCure(const ScanSwitches& switches, const std::string& reportPath, ConsoleOut& out) {
    ScanRun run(switches, out);
    return run.Run(reportPath);
}

int ListRecords(ConsoleOut& out) {
    std::vector<RecordEntry> records;
    if (!ReadDatabaseIndex(PURVEX_DEFAULT_ADB, &records)) {
        out.Error(kMsgDatabaseFailed);
        return 2;
    }
    for (const RecordEntry& record : records)
        out.Print(Formatted(kListFormat, static_cast<int>(record.id), record.name.c_str(), record.itemCount));
    return 0;
}

int RestoreCure(const std::string& name, ConsoleOut& out) {
    const std::string folder = BackupFolderNamed(name);
    if (folder.empty()) {
        out.Error(Formatted(kMsgBadRestoreName, name.c_str()));
        return 2;
    }
    base::ProgramMarker work = base::ProgramMarker::Claim(base::kWorkMarker);
    if (!work.held()) {
        out.Error(kMsgBusy);
        return 2;
    }
    cure::EngineLibrary engine;
    if (!engine.Load()) {
        out.Error(kMsgEngineMissing);
        return 2;
    }
    const int restored = engine.RestoreBackup(folder.c_str());
    if (restored < 0) {
        out.Error(kMsgNoBackup);
        return 2;
    }
    out.Print(Formatted(kRestoredFormat, restored));
    if (!backup::HoldsBackup(folder)) return 0;
    out.Print(kMsgRestoreLeftSome);
    return 1;
}

}  // namespace scancli
