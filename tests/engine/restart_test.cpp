// Items in use left for the next start of Windows, through the engine's
// exports: on a drive of the test's own (its root a temporary folder), the
// prefix's lists of removals set aside, the start itself Wine's wineboot.
#include <gtest/gtest.h>

#include "tests/support/engine_probe.h"
#include "tests/support/restart_sandbox.h"

namespace {

using namespace enginetest;

enum class Hold { kNoSharing, kReadSharing, kRunning };

struct Case {
    const char* name;
    Hold hold;
    bool backup, inFolder, othersMayChange;
    uint8_t outcome, reason;
};

const Case kCases[] = {
    {"HeldWithoutSharing", Hold::kNoSharing, false, false, false, PURVEX_ITEM_AT_RESTART, PURVEX_REASON_IN_USE},
    {"ReadableKeptFirst", Hold::kReadSharing, true, false, false, PURVEX_ITEM_AT_RESTART, PURVEX_REASON_IN_USE},
    {"UnreadableWaitsForLeave", Hold::kNoSharing, true, false, false, PURVEX_ITEM_FAILED, PURVEX_REASON_NO_COPY},
    {"BelowAFolderOthersMayChange", Hold::kNoSharing, false, false, true, PURVEX_ITEM_FAILED,
     PURVEX_REASON_UNSAFE_FOLDER},
    {"RunningProgramMovesToPending", Hold::kRunning, false, false, false, PURVEX_ITEM_AT_RESTART,
     PURVEX_REASON_IN_USE},
    {"FolderHoldingAFileInUse", Hold::kReadSharing, true, true, false, PURVEX_ITEM_AT_RESTART, PURVEX_REASON_IN_USE},
};

class LeftForRestart : public ::testing::TestWithParam<Case> {};

TEST_P(LeftForRestart, IsLeftOnlyWhereSafeAndGoesAtTheNextStart) {
    const Case& c = GetParam();
    TempFolder folder, root;
    pvtest::MappedDrive drive('P', root.path());
    ASSERT_TRUE(drive.ok());
    pvtest::RestartSandbox restart;
    Engine engine;
    ASSERT_TRUE(engine.ok());
    const std::string traces = drive.root() + "traces", file = traces + "\\ad.exe";
    ASSERT_TRUE(CreateDirectoryA(traces.c_str(), nullptr));
    if (c.othersMayChange) {
        ASSERT_TRUE(pvtest::LetEveryoneChange(traces));
    }
    WriteText(traces + "\\other.dll", "other");
    HANDLE victim = nullptr;
    base::UniqueFile held;
    if (c.hold == Hold::kRunning) {
        victim = StartVictim(file);
        ASSERT_NE(victim, nullptr);
    } else {
        WriteText(file, "ad");
        held.reset(CreateFileA(file.c_str(), GENERIC_READ, c.hold == Hold::kReadSharing ? FILE_SHARE_READ : 0,
                               nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
    }
    pvtest::CurrentFolder home(folder.path());  // the program's folder, where its backups are
    const std::string kept = folder / "PurvexBackup\\00000001", location = c.inFolder ? traces : file;
    if (c.backup) {
        ASSERT_EQ(engine.SetBackupFolder(kept.c_str()), 1);
    }
    ASSERT_EQ(engine.SetRestartRemoval(PURVEX_RESTART_KEPT), 1);
    const adb::Item item = c.inFolder ? pvtest::FolderItem(traces) : pvtest::FileItem(traces, "ad.exe");
    ASSERT_EQ(engine.LoadADB(WriteDatabase(folder, {MakeRecord(5, "Busy", {item})}).c_str()), 0);

    const AdScanResult result = engine.AdScan(0);
    EXPECT_EQ(engine.AdRepair(result), c.outcome == PURVEX_ITEM_AT_RESTART ? 1 : 0);
    EXPECT_EQ(engine.GetItemOutcome(0), c.outcome);
    EXPECT_EQ(engine.GetItemReason(0), c.reason);
    if (c.reason == PURVEX_REASON_NO_COPY) {
        EXPECT_TRUE(restart.Removals().empty());
        EXPECT_EQ(engine.RemoveUnkeptAtRestart(), 1);
        EXPECT_EQ(engine.GetItemOutcome(0), PURVEX_ITEM_AT_RESTART);
        EXPECT_EQ(engine.GetItemReason(0), PURVEX_REASON_NO_COPY) << "left without a copy";
    }
    const bool left = engine.GetItemOutcome(0) == PURVEX_ITEM_AT_RESTART;
    const std::string named = engine.GetItemRestartPath(0);
    ASSERT_EQ(restart.Removals().empty(), !left);
    if (left) {
        EXPECT_EQ(restart.Removals().back(), "\\??\\" + named);
    }
    EXPECT_EQ(pvtest::Exists(file), c.hold != Hold::kRunning) << "a running program's file moves away at once";
    if (c.hold == Hold::kRunning) {
        EXPECT_EQ(named.find(drive.root() + "PurvexPending\\"), 0u) << named;
    }
    EXPECT_EQ(pvtest::Exists(traces + "\\other.dll"), !c.inFolder) << "what is not in use goes now";
    engine.SetBackupFolder(nullptr);

    held.reset();
    if (victim) {
        TerminateProcess(victim, 1);
        WaitForSingleObject(victim, 5000);
        CloseHandle(victim);
    }
    ASSERT_TRUE(restart.Restart());
    EXPECT_EQ(pvtest::Exists(location), !left);
    EXPECT_EQ(pvtest::Exists(named), false) << named;
    if (c.backup && left && c.reason == PURVEX_REASON_IN_USE) {
        EXPECT_GE(engine.RestoreBackup(kept.c_str()), 1);
        EXPECT_EQ(pvtest::ReadBytes(file), "ad") << "the copy kept comes back";
        EXPECT_TRUE(pvtest::Exists(traces + "\\other.dll")) << "with what the cure moved";
    }
}

INSTANTIATE_TEST_SUITE_P(Engine, LeftForRestart, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
