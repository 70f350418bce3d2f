// The update thread's sequence against a loopback server, a scratch
// installation folder and the real version record key, with the window
// replaced by a recorder.
#include <gtest/gtest.h>

#include <vector>

#include "base/thread.h"

#include "tests/support/updater_fixture.h"
#include "updater/file_table.h"
#include "updater/update_host.h"
#include "updater/update_session.h"

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
    HWND Owner() override { return nullptr; }

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
        ASSERT_EQ(session_.FetchVersionFile(), FetchResult::kOk);
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
    EXPECT_STREQ(Item(ui.shown[0]).statusText, "Purvex.adb 파일 업데이트중...");
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
    EXPECT_EQ(ui.messages[0], "Purvex.adb 파일을 받지 못했습니다.");
    EXPECT_EQ(ui.icons[0], static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(ui.restarts, 1);
    EXPECT_FALSE(pvtest::Exists("temp"));
}

TEST_F(SessionTest, CutTransferInstallsNothingRewritesNothing) {
    CannedResponse cut{200, MakeBody(9000, 'k')};
    cut.cutAfter = 4500;
    server_.Set(UpdatePath("Kordon.adb"), cut);
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, "good database"});
    ServeVersionFile(Announce("KORDONADB", "2004.10.07", cut.body) + Announce("PURVEXADB", "2004.10.07", "good database"));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(pvtest::ReadBytes("kordon.adb"), "installed kordon.adb");
    EXPECT_EQ(key_.Get("KordonADB"), "2004.10.06");
    // The other file still goes through.
    EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), "good database");
    EXPECT_EQ(key_.Get("PurvexADB"), "2004.10.07");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Kordon.adb 파일을 받지 못했습니다.");
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
    const char* files[] = {"Purvex.exe", "Chronik.dll", "Purvex.dll", "Kordon.dll", "Kordon.adb", "Purvex.adb"};
    std::string text;
    for (int n = 1; n <= 6; ++n) {
        std::string body = MakeBody(3000 + n * 1000, static_cast<char>(n));
        server_.Set(UpdatePath(files[n - 1]), CannedResponse{200, body});
        text += Announce(Item(n).section, "9", body);
    }
    ServeVersionFile(text);
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(ui.shown, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(server_.Requests(UpdatePath(files[n - 1])), 1) << files[n - 1];
        EXPECT_EQ(server_.BodyBytesSent(UpdatePath(files[n - 1])), static_cast<size_t>(3000 + n * 1000));
        EXPECT_EQ(pvtest::ReadBytes(Item(n).installedAs), MakeBody(3000 + n * 1000, static_cast<char>(n)));
        EXPECT_EQ(key_.Get(Installation::kValues[n - 1]), "9");
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SessionTest, WithoutVersionRecordEverythingAnnouncedIsFetchedNothingWritten) {
    key_.Delete();
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, "db"});
    ServeVersionFile(Announce("PURVEXADB", "2004.10.07", "db"));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), "db");
    EXPECT_EQ(key_.Get("PurvexADB"), "<missing>");
}

TEST_F(SessionTest, VersionFileMissingOnServerFetchesNothing) {
    EXPECT_EQ(session_.FetchVersionFile(), FetchResult::kBadStatus);
    EXPECT_FALSE(pvtest::Exists("Purvex_Ver.txt"));
    RecordingUi ui(session_);
    RunUpdate(ui);
    EXPECT_EQ(server_.TotalRequests(), 2) << "the version file and its signature";
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "이미 최신버전을 사용하고 계십니다.");
    EXPECT_EQ(ui.restarts, 1);
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
