// Fetching one file from a loopback HTTP server: what counts as a download.
#include <gtest/gtest.h>

#include "test_server.h"
#include "test_support.h"
#include "updater/download.h"
#include "updater/sha256.h"

using namespace freshen;
using namespace freshen_test;

namespace {

class DownloadTest : public ::testing::Test {
protected:
    DownloadTest() : folder_("download") {}
    std::string Url(const std::string& file) const { return "http://" + server_.host() + UpdatePath(file); }
    ScratchInstallFolder folder_;
    TestServer server_;
};

std::string DigestOf(const std::string& body) {
    Sha256 hash;
    hash.Update(body.data(), static_cast<DWORD>(body.size()));
    return hash.HexDigest();
}

TEST_F(DownloadTest, WithContentLengthOnePassAndLengthAsTotal) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(10000, 'a');  // several 4096-byte blocks
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    DownloadProgress progress;
    EXPECT_EQ(FetchToFile(Url("Purvex.adb"), "Purvex.adb", &progress), FetchResult::kOk);
    EXPECT_EQ(pvtest::ReadBytes("Purvex.adb"), body);
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 1);
    EXPECT_EQ(server_.BodyBytesSent(UpdatePath("Purvex.adb")), body.size());
    EXPECT_EQ(progress.total, 10000);
    EXPECT_EQ(progress.written, 10000);
}

TEST_F(DownloadTest, WithoutContentLengthMeasuringPassFirst) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(9000, 'b');
    CannedResponse response{200, body};
    response.sendLength = false;
    server_.Set(UpdatePath("Kordon.adb"), response);
    DownloadProgress progress;
    EXPECT_EQ(FetchToFile(Url("Kordon.adb"), "Kordon.adb", &progress), FetchResult::kOk);
    EXPECT_EQ(pvtest::ReadBytes("Kordon.adb"), body);
    EXPECT_EQ(server_.Requests(UpdatePath("Kordon.adb")), 2);
    EXPECT_EQ(progress.total, 9000);
    EXPECT_EQ(progress.written, 9000);
}

TEST_F(DownloadTest, WithoutProgressNoMeasuringPass) {
    ASSERT_TRUE(server_.ok());
    CannedResponse response{200, "[PURVEXADB]\r\nVER=2004.10.07\r\n"};
    response.sendLength = false;
    server_.Set(UpdatePath("Purvex_Ver.txt"), response);
    EXPECT_EQ(FetchToFile(Url("Purvex_Ver.txt"), "Purvex_Ver.txt"), FetchResult::kOk);
    EXPECT_EQ(pvtest::ReadBytes("Purvex_Ver.txt"), response.body);
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex_Ver.txt")), 1);
}

TEST_F(DownloadTest, NotFoundStoresNothing) {
    ASSERT_TRUE(server_.ok());
    pvtest::WriteBytes("Purvex.exe", "stale");
    EXPECT_EQ(FetchToFile(Url("Purvex.exe"), "Purvex.exe", nullptr), FetchResult::kBadStatus);
    EXPECT_FALSE(pvtest::Exists("Purvex.exe"));
}

TEST_F(DownloadTest, ServerErrorStoresNothing) {
    ASSERT_TRUE(server_.ok());
    server_.Set(UpdatePath("Chronik.dll"), CannedResponse{500, "<html>error page</html>"});
    DownloadProgress progress;
    EXPECT_EQ(FetchToFile(Url("Chronik.dll"), "Chronik.dll", &progress), FetchResult::kBadStatus);
    EXPECT_FALSE(pvtest::Exists("Chronik.dll"));
}

TEST_F(DownloadTest, CutTransferStoresNothing) {
    ASSERT_TRUE(server_.ok());
    CannedResponse response{200, MakeBody(10000, 'c')};
    response.cutAfter = 5000;
    server_.Set(UpdatePath("Purvex.dll"), response);
    DownloadProgress progress;
    EXPECT_EQ(FetchToFile(Url("Purvex.dll"), "Purvex.dll", &progress), FetchResult::kIncomplete);
    EXPECT_FALSE(pvtest::Exists("Purvex.dll"));
    EXPECT_EQ(progress.total, 10000);
}

TEST_F(DownloadTest, DigestMatchKeepsFile) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(5000, 'd');
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    EXPECT_EQ(FetchToFile(Url("Purvex.adb"), "Purvex.adb", nullptr, nullptr, DigestOf(body)), FetchResult::kOk);
    EXPECT_EQ(pvtest::ReadBytes("Purvex.adb"), body);
}

TEST_F(DownloadTest, DigestMismatchStoresNothing) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(5000, 'e');
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    EXPECT_EQ(FetchToFile(Url("Purvex.adb"), "Purvex.adb", nullptr, nullptr, DigestOf(body + "x")),
              FetchResult::kDigestMismatch);
    EXPECT_FALSE(pvtest::Exists("Purvex.adb"));
}

TEST_F(DownloadTest, CancelledStoresNothing) {
    ASSERT_TRUE(server_.ok());
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, MakeBody(5000, 'f')});
    std::atomic<bool> cancel{true};
    DownloadProgress progress;
    EXPECT_EQ(FetchToFile(Url("Purvex.adb"), "Purvex.adb", &progress, &cancel), FetchResult::kCancelled);
    EXPECT_FALSE(pvtest::Exists("Purvex.adb"));
}

TEST(Download, NoServerIsOpenFailure) {
    ScratchInstallFolder folder("no-server");
    // Port 1 on the loopback address: nothing listens there.
    EXPECT_EQ(FetchToFile("http://127.0.0.1:1/pg_update/Purvex_Up/Purvex.adb", "Purvex.adb"),
              FetchResult::kOpenFailed);
    EXPECT_FALSE(pvtest::Exists("Purvex.adb"));
}

}  // namespace
