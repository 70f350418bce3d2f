// Whole PurvexScan.exe processes, started from a folder other than their
// installation, against a test database, planted traces, a test key and the
// saved browser and version keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/program_markers.h"
#include "base/unique_handle.h"
#include "reportview/report_logs.h"
#include "tests/support/browser_keys_sandbox.h"
#include "tests/support/restart_sandbox.h"
#include "tests/support/sandbox.h"
#include "tests/support/test_database.h"
#include "tests/support/version_key_sandbox.h"

namespace {

using pvtest::KeyBackup;
using pvtest::MakeRecord;

constexpr char kTestKey[] = "Software\\PurvexScanTest";
constexpr DWORD kWaitMs = 60000;  // reached only when something is wrong

std::string Sub(const std::string& subkey) { return std::string(kTestKey) + "\\" + subkey; }

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

struct Outcome {
    DWORD code = STILL_ACTIVE;
    std::string out, err;
};

class ScanProcess : public ::testing::Test {
protected:
    ScanProcess() : testKey_(HKEY_CURRENT_USER, kTestKey, KeyBackup::kDelete), version_(pvtest::VersionKeySandbox::kEnsured) {
        const std::string build = pvtest::ProgramFolder() + "\\";
        for (const char* name : {"PurvexScan.exe", "Purvex.dll"})
            EXPECT_TRUE(CopyFileA((build + name).c_str(), (install_ / name).c_str(), FALSE)) << name;
        UseDatabase({
            MakeRecord(11, "ScanTestFiles", {pvtest::FileItem(traces_.path(), "a.dll"), pvtest::FolderItem(traces_ / "Sub")}),
            MakeRecord(13, "ScanTest키", {pvtest::UserKeyItem(Sub("Key1")), pvtest::UserValueItem(Sub("Vals"), "Val1")}),
            MakeRecord(15, "ScanTestAbsent", {pvtest::FileItem(traces_.path(), "none.dll")}),
        });
    }

    void UseDatabase(const std::vector<adb::Record>& records) {
        ASSERT_TRUE(pvtest::WriteDatabase(install_ / "Purvex.adb", records));
    }
    void Plant() {
        ASSERT_TRUE(pvtest::WriteBytes(traces_ / "a.dll", "trace"));
        ASSERT_TRUE(pvtest::MakeFolders(traces_ / "Sub"));
        ASSERT_TRUE(pvtest::WriteBytes(traces_ / "Sub\\inner.txt", "trace"));
        ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, Sub("Key1\\Child"), "v", std::string("trace", 6)));
        ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, Sub("Vals"), "Val1", std::string("trace", 6)));
    }
    bool FilesLeft() const { return pvtest::FileExists(traces_ / "a.dll") && pvtest::FolderExists(traces_ / "Sub"); }
    bool KeysLeft() const {
        return pvtest::KeyExists(HKEY_CURRENT_USER, Sub("Key1")) &&
               pvtest::ReadValue(HKEY_CURRENT_USER, Sub("Vals"), "Val1").present;
    }

    // Runs PurvexScan.exe of the installation with args, in the start folder,
    // its output and errors redirected to new files there (a console host
    // may hold the last run's a little longer).
    Outcome Run(const std::string& args) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        const std::string outName = start_ / ("out" + std::to_string(++runs_)), errName = outName + ".err";
        auto create = [&](const std::string& path) {
            return base::UniqueFile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                &inherit, CREATE_NEW, 0, nullptr));
        };
        Outcome outcome;
        {
            base::UniqueFile out = create(outName), err = create(errName);
            if (!out || !err) {
                ADD_FAILURE() << "cannot make " << outName;
                return outcome;
            }
            STARTUPINFOA startup = {sizeof startup};
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdOutput = out.get();
            startup.hStdError = err.get();
            std::string command = "\"" + (install_ / "PurvexScan.exe") + "\" " + args;
            PROCESS_INFORMATION info = {};
            if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                start_.path().c_str(), &startup, &info)) {
                ADD_FAILURE() << "cannot start " << command;
                return outcome;
            }
            base::UniqueHandleKernel process(info.hProcess), thread(info.hThread);
            if (WaitForSingleObject(process.get(), kWaitMs) != WAIT_OBJECT_0) TerminateProcess(process.get(), 99);
            GetExitCodeProcess(process.get(), &outcome.code);
        }
        outcome.out = pvtest::ReadBytes(outName);
        outcome.err = pvtest::ReadBytes(errName);
        return outcome;
    }

    int runs_ = 0;
    pvtest::TempFolder install_{"PurvexScanInstall"};
    pvtest::TempFolder start_{"PurvexScanStart"};
    pvtest::TempFolder traces_{"PurvexScanTraces"};
    KeyBackup testKey_;
    pvtest::VersionKeySandbox version_;
    pvtest::BrowserKeysSandbox browserKeys_;
};

// Every switch set ends in its exit code, and removes exactly what it should.
TEST_F(ScanProcess, SwitchesEndInTheirExitCodes) {
    enum Setup { kPlanted, kClean, kBusy, kNoDatabase };
    const struct {
        const char* args;
        Setup setup;
        DWORD code;
        bool filesLeft, keysLeft, usageOnStderr;
    } cases[] = {
        {"/scan", kClean, 0, false, false, false},
        {"/cure /nolog", kClean, 0, false, false, false},
        {"-SCAN", kPlanted, 1, true, true, false},
        {"/cure /only:11", kPlanted, 1, false, true, false},
        {"-Cure -exclude:13,15 /quiet", kPlanted, 3, false, true, false},
        {"/cure /bogus", kPlanted, 2, true, true, true},
        {"/scan /only:11", kPlanted, 2, true, true, true},
        {"/cure /exclude:99", kPlanted, 2, true, true, false},
        {"/cure", kBusy, 2, true, true, false},
        {"/cure", kNoDatabase, 2, true, true, false},
        {"/cure /report:missing\\report.json", kPlanted, 2, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        if (c.setup != kClean) Plant();
        if (c.setup == kNoDatabase) DeleteFileA((install_ / "Purvex.adb").c_str());
        base::ProgramMarker work;
        if (c.setup == kBusy) work = base::ProgramMarker::Claim(base::kWorkMarker);
        const Outcome run = Run(c.args);
        EXPECT_EQ(run.code, c.code) << run.err;
        if (c.setup != kClean) {
            EXPECT_EQ(FilesLeft(), c.filesLeft);
            EXPECT_EQ(KeysLeft(), c.keysLeft);
        }
        EXPECT_EQ(run.err.find("/cure") != std::string::npos, c.usageOnStderr) << run.err;
        EXPECT_EQ(run.err.empty(), c.code != 2) << run.err;
        if (c.setup == kNoDatabase) UseDatabase({});
    }
}

// A cure removes every found item and says so in its report and its log,
// which the report page reads; the backup it made puts everything back.
TEST_F(ScanProcess, CureReportsEveryItemRemovedLogsAsThePageAndRestores) {
    Plant();
    const Outcome cure = Run("/cure /report:report.json");
    ASSERT_EQ(cure.code, 3u) << cure.err;
    EXPECT_FALSE(pvtest::Exists(traces_ / "a.dll") || pvtest::Exists(traces_ / "Sub"));
    EXPECT_FALSE(pvtest::KeyExists(HKEY_CURRENT_USER, Sub("Key1")));
    EXPECT_EQ(Occurrences(cure.out, "[11] ScanTestFiles"), 4u) << "one line per item found, one per item cured";

    const std::string report = pvtest::ReadBytes(start_ / "report.json");
    EXPECT_EQ(Occurrences(report, "\"outcome\": \"removed\""), 4u) << report;
    EXPECT_EQ(Occurrences(report, "\"outcome\": "), 4u);
    EXPECT_NE(report.find("\"name\": \"ScanTest\xED\x82\xA4\""), std::string::npos) << "the name in UTF-8";
    EXPECT_NE(report.find("\"browserReset\": true"), std::string::npos);
    EXPECT_NE(report.find("\"exitCode\": 3"), std::string::npos);
    EXPECT_TRUE(CopyFileA((start_ / "report.json").c_str(), (pvtest::ProgramFolder() + "\\scan_report.json").c_str(), FALSE))
        << "kept for the schema check";

    const std::vector<reports::LogFolder> logs = reports::FindSubfolders(install_ / "PurvexLog\\*.*");
    ASSERT_EQ(logs.size(), 1u);
    std::string head, text;
    ASSERT_TRUE(reports::ReadTextStart(install_ / "PurvexLog\\00000000\\head.txt", reports::kHeadBytes, &head));
    EXPECT_EQ(reports::SplitHead(head).status, "완  료");
    ASSERT_TRUE(reports::ReadTextStart(install_ / "PurvexLog\\00000000\\report.txt", 4000, &text));
    EXPECT_NE(text.find("   발견된 애드웨어 :      2 개\r\n   전체갯수 :      4 개"), std::string::npos) << text;
    EXPECT_EQ(Occurrences(text, "\t\t완 료\r\n"), 2u) << text;

    EXPECT_EQ(Run("/restore:00000000").code, 0u);
    EXPECT_TRUE(FilesLeft());
    EXPECT_TRUE(KeysLeft());
}

TEST_F(ScanProcess, ProtectedItemIsRefusedAndReported) {
    UseDatabase({MakeRecord(17, "ScanTestProtected", {pvtest::UserKeyItem("Software\\Microsoft\\Windows")})});
    const Outcome cure = Run("/cure /nolog /nobackup /report:report.json");
    EXPECT_EQ(cure.code, 1u) << cure.err;
    EXPECT_TRUE(pvtest::KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows"));
    const std::string report = pvtest::ReadBytes(start_ / "report.json");
    EXPECT_NE(report.find("\"outcome\": \"refused\""), std::string::npos) << report;
    EXPECT_NE(report.find("\"logFolder\": null"), std::string::npos);
}

TEST_F(ScanProcess, ListPrintsIdNameAndItemCountOfEveryRecord) {
    const Outcome list = Run("/list");
    EXPECT_EQ(list.code, 0u);
    EXPECT_EQ(list.out, "11\tScanTestFiles\t2\r\n13\tScanTest키\t2\r\n15\tScanTestAbsent\t1\r\n");
}

// An item in use is left for the next start of Windows as the page leaves
// it: exit code 4, the report and the pass's list for the next start say so.
TEST_F(ScanProcess, ItemInUseIsLeftForTheNextStartOfWindows) {
    pvtest::TempFolder root;
    pvtest::MappedDrive drive('N', root.path());  // a drive whose folders only this user changes
    ASSERT_TRUE(drive.ok());
    pvtest::RestartSandbox restart;
    const std::string traces = drive.root() + "traces";
    ASSERT_TRUE(pvtest::MakeFolders(traces));
    ASSERT_TRUE(pvtest::WriteBytes(traces + "\\busy.dll", "ad"));
    base::UniqueFile held(CreateFileA((traces + "\\busy.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    ASSERT_TRUE(held);
    UseDatabase({MakeRecord(19, "ScanTestBusy", {pvtest::FileItem(traces, "busy.dll")})});
    const Outcome cure = Run("/cure /nobackup /report:report.json");
    EXPECT_EQ(cure.code, 4u) << cure.err;
    EXPECT_NE(pvtest::ReadBytes(start_ / "report.json").find("\"outcome\": \"removedAtRestart\""), std::string::npos);
    EXPECT_EQ(restart.Removals().size(), 1u);
    EXPECT_TRUE(pvtest::FileExists(install_ / "PurvexLog\\00000000\\restart.lst"));
}

}  // namespace
