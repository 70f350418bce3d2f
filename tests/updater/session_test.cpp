// The update thread's sequence against a loopback server, a scratch
// installation folder and the real version record key, with the window
// replaced by a recorder.
#include <gtest/gtest.h>

#include <vector>

#include "base/thread.h"

#include "tests/support/registry_sandbox.h"
#include "tests/support/updater_fixture.h"
#include "updater/file_table.h"
#include "updater/freshen_texts.h"
#include "updater/uninstall_entry.h"
#include "updater/update_host.h"
#include "updater/update_session.h"
#include "updater/version_record.h"

using namespace freshen;
using namespace freshen_test;

namespace {

class RecordingUi : public UpdateUi {
public:
    explicit RecordingUi(UpdateSession& session) : session_(session) {}
    ~RecordingUi() override {
        for (auto& t : threads_) t.join();
    }
    void ShowFetching(int item) override { shown.push_back(item); }
    void StartDownload() override { threads_.emplace_back([this] { session_.DownloadCurrent(); }); }
    void Message(const char* text, UINT icon) override {
        messages.push_back(text);
        icons.push_back(icon);
    }
    void RestartMainProgram() override { ++restarts; }

    std::vector<int> shown;
    std::vector<std::string> messages;
    std::vector<UINT> icons;
    int restarts = 0;

private:
    UpdateSession& session_;
    std::vector<base::Thread> threads_;
};

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.ok()); }

    void ServeVersionFile(const std::string& announcements, unsigned long serial = 1) {
        ServeSignedVersionFile(server_, announcements, serial);
    }
    // Runs the whole sequence as the update thread would.
    void RunUpdate(RecordingUi& ui) {
        base::Thread update([&] { session_.Run(ui); });
        update.join();
    }

    Installation installed_{"session"};
    pvtest::VersionKeySandbox& key_ = installed_.key;
    LoopbackServer server_;
    pvtest::EnvironmentOverride host_{kUpdateHostVariable, server_.host().c_str()};
    UpdateSession session_{kTestUpdateKey};
};

TEST_F(SessionTest, NewerDatabaseFetchedInstalledAndRecorded) {
    std::string body = MakeBody(7000, 'p');
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    ServeVersionFile(Announce("PURVEXADB", "2004.10.07", body) + Announce("KORDONADB", "2004.10.06", "db") +
                     Announce("PURVEXEXE", "1.0.0.1", "exe"), 5);
    RecordingUi ui(session_);
    RunUpdate(ui);

    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 1);
    EXPECT_EQ(server_.TotalRequests(), 3) << "the version file, its signature and the database only";
    EXPECT_EQ(server_.BodyBytesSent(UpdatePath("Purvex.adb")), body.size()) << "crossed the network once";
    ASSERT_EQ(ui.shown, std::vector<int>{6});
    EXPECT_EQ(FileText(Item(ui.shown[0]), kFetchingSuffix), "Purvex.adb 파일 업데이트중...");
    EXPECT_EQ(session_.Percent(), 100);
    EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), body);
    EXPECT_EQ(pvtest::ReadBytes("purvex.exe"), "installed purvex.exe");
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.07") << "stored without terminator";
    EXPECT_EQ(key_.Get("UpdateSerial"), "5");
    installed_.ExpectVersionsAsInstalled("PurvexADB");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.restarts, 1);
    EXPECT_FALSE(pvtest::Exists("temp"));
    EXPECT_FALSE(pvtest::Exists("Purvex_Ver.txt"));
}

TEST_F(SessionTest, NothingNewerShowsMessageAndRestarts) {
    ServeVersionFile(Announce("PURVEXEXE", "1.0.0.1", "") + Announce("CHRONIKDLL", "1.0.0.0", "") +
                     Announce("PURVEXDLL", "1.0.0.1", "") + Announce("KORDONDLL", "1.0", "") +
                     Announce("KORDONADB", "2004.10.06", "") + Announce("PURVEXADB", "2004.09.30", ""));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(server_.TotalRequests(), 2);
    EXPECT_TRUE(ui.shown.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "이미 최신버전을 사용하고 계십니다.");
    EXPECT_EQ(ui.icons[0], static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(ui.restarts, 1);
    EXPECT_FALSE(pvtest::Exists("temp"));
    EXPECT_FALSE(pvtest::Exists("Purvex_Ver.txt"));
    installed_.ExpectVersionsAsInstalled();
}

TEST_F(SessionTest, ByteStringComparisonDecidesWhatIsFetched) {
    key_.Set("Purvex.dll", "1.9");
    key_.Set("KordonDll.dll", "1.0a");
    server_.Set(UpdatePath("Purvex.dll"), CannedResponse{200, "engine"});
    server_.Set(UpdatePath("Kordon.dll"), CannedResponse{200, "kordon"});
    ServeVersionFile(Announce("PURVEXDLL", "1.10", "engine") + Announce("KORDONDLL", "1.01c", "kordon"));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.dll")), 0);
    EXPECT_EQ(server_.Requests(UpdatePath("Kordon.dll")), 0);
    EXPECT_EQ(key_.Get("Purvex.dll"), "1.9");
    EXPECT_EQ(key_.Get("KordonDll.dll"), "1.0a");
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(SessionTest, KordonLibraryInstalledAsKordonDll) {
    server_.Set(UpdatePath("Kordon.dll"), CannedResponse{200, "new kordon library"});
    ServeVersionFile(Announce("KORDONDLL", "1.0b", "new kordon library"));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(ui.shown, std::vector<int>{4});
    EXPECT_EQ(pvtest::ReadBytes(".\\kordon.dll"), "new kordon library");
    EXPECT_EQ(key_.Get("KordonDll.dll"), "1.0b");
}

TEST_F(SessionTest, NotFoundInstallsNothingRewritesNothingAndNamesTheFile) {
    ServeVersionFile(Announce("PURVEXADB", "2004.10.07", "db"));  // Purvex.adb itself answers 404
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 1);
    EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), "installed purvex.adb");
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.06");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Purvex.adb 파일을 받지 못했습니다.\r\n업데이트하지 않았습니다.");
    EXPECT_EQ(ui.icons[0], static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(ui.restarts, 1);
    EXPECT_FALSE(pvtest::Exists("temp"));
}

// A file cut short after another one came whole: neither is installed.
TEST_F(SessionTest, CutTransferInstallsNothingRecordsNothing) {
    CannedResponse cut{200, MakeBody(9000, 'k')};
    cut.cutAfter = 4500;
    server_.Set(UpdatePath("Purvex.exe"), CannedResponse{200, "good program"});
    server_.Set(UpdatePath("Kordon.adb"), cut);
    ServeVersionFile(Announce("PURVEXEXE", "1.0.0.2", "good program") + Announce("KORDONADB", "2004.10.07", cut.body));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(ui.shown, (std::vector<int>{1, 5}));
    EXPECT_EQ(pvtest::ReadBytes("purvex.exe") + "|" + pvtest::ReadBytes("kordon.adb"),
              "installed purvex.exe|installed kordon.adb");
    installed_.ExpectVersionsAsInstalled();
    EXPECT_EQ(key_.Get("UpdateSerial"), "<missing>");
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Kordon.adb 파일을 받지 못했습니다.\r\n업데이트하지 않았습니다."});
}

// One file other than announced ends the update: nothing more is fetched,
// nothing installed or recorded, and the user is told which.
TEST_F(SessionTest, OneRefusedFileInstallsAndRecordsNothing) {
    server_.Set(UpdatePath("Purvex.exe"), CannedResponse{200, "genuine program"});
    server_.Set(UpdatePath("Purvex.dll"), CannedResponse{200, "tampered engine"});
    ServeVersionFile(Announce("PURVEXEXE", "1.0.0.2", "genuine program") +
                     Announce("PURVEXDLL", "1.0.0.2", "genuine engine!") + Announce("PURVEXADB", "2004.10.07", "db"));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(ui.shown, (std::vector<int>{1, 3}));
    EXPECT_EQ(pvtest::ReadBytes("purvex.exe"), "installed purvex.exe");
    installed_.ExpectVersionsAsInstalled();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Purvex.dll 파일이 업데이트 정보와 다릅니다.\r\n업데이트하지 않았습니다."});
}

TEST_F(SessionTest, EveryNewerFileCrossesTheNetworkOnce) {
    std::map<int, std::string> bodies;
    for (int n = 1; n <= kItemCount; ++n) bodies[n] = MakeBody(3000 + n * 1000, static_cast<char>(n));
    ServeFiles(server_, bodies, "9", 3);
    pvtest::KeyBackup entry(HKEY_LOCAL_MACHINE, kUninstallKeyPath, pvtest::KeyBackup::kDelete);
    pvtest::SetValue(HKEY_LOCAL_MACHINE, kUninstallKeyPath, "InstallLocation", installed_.folder.path() + '\0');
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(ui.shown.size(), static_cast<size_t>(kItemCount));
    for (int n = 1; n <= kItemCount; ++n) {
        SCOPED_TRACE(Item(n).serverFile);
        EXPECT_EQ(server_.Requests(UpdatePath(Item(n).serverFile)), 1);
        EXPECT_EQ(server_.BodyBytesSent(UpdatePath(Item(n).serverFile)), bodies[n].size());
        EXPECT_EQ(pvtest::ReadBytes(Item(n).installedAs), bodies[n]);
        EXPECT_EQ(key_.Get(Item(n).valueRead), "9");
    }
    EXPECT_EQ(key_.Get("UpdateSerial"), "3");
    EXPECT_EQ(pvtest::ReadValue(HKEY_LOCAL_MACHINE, kUninstallKeyPath, "DisplayVersion").data, std::string("9", 2));
    EXPECT_TRUE(ui.messages.empty());
}

// Without a record nothing is known installed: everything announced is
// fetched, and the serial is kept beside the updater.
TEST_F(SessionTest, WithoutVersionRecordEverythingAnnouncedIsFetchedSerialKeptBeside) {
    key_.Delete();
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, "db"});
    ServeVersionFile(Announce("PURVEXADB", "2004.10.07", "db"), 6);
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), "db");
    EXPECT_EQ(key_.Get("PurvexADB"), "<missing>");
    EXPECT_EQ(pvtest::ReadBytes(kSerialCopyPath), "6");
}

TEST_F(SessionTest, VersionFileMissingOnServerIsToldAsSuch) {
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(server_.TotalRequests(), 1) << "the version file only";
    EXPECT_EQ(ui.messages, std::vector<std::string>{kNoUpdateInfoText});
    EXPECT_EQ(ui.restarts, 1);
    installed_.ExpectVersionsAsInstalled();
}

// A server that falls silent, before its first byte or in the middle of a
// file, is given up after the (here shortened) time without a byte.
TEST_F(SessionTest, SilentServerIsGivenUpWithinTheLimits) {
    pvtest::EnvironmentOverride idle("PURVEX_TEST_FETCH_IDLE_MS", "700");
    for (bool midFile : {false, true}) {
        SCOPED_TRACE(midFile ? "in the middle of a file" : "before its first byte");
        base::UniqueHandleKernel release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        CannedResponse silent{200, MakeBody(30000, 's')};
        silent.release = release.get();
        silent.silent = !midFile;
        if (midFile) {
            ServeVersionFile(Announce("PURVEXADB", "2004.10.07", silent.body));
            server_.Set(UpdatePath("Purvex.adb"), silent);
        } else {
            server_.Set(UpdatePath("Purvex_Ver.txt"), silent);
        }
        UpdateSession session(kTestUpdateKey);
        RecordingUi ui(session);
        base::Thread([&] { session.Run(ui); }).join();
        SetEvent(release.get());  // the server goes on to its next request
        EXPECT_EQ(ui.messages, std::vector<std::string>{kServerUnreachableText});
        EXPECT_EQ(ui.restarts, 1);
        EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), "installed purvex.adb");
    }
}

TEST_F(SessionTest, CancelledBeforeStartFetchesNothingAndShowsNoMessage) {
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, "db"});
    ServeVersionFile(Announce("PURVEXADB", "2004.10.07", "db"));
    session_.Cancel();
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 0);
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.06");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(pvtest::Exists("temp"));
    EXPECT_FALSE(pvtest::Exists("Purvex_Ver.txt"));
}

}  // namespace
