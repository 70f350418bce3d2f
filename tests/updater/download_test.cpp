// Fetching one file from a loopback HTTP server: what counts as a download.
#include <gtest/gtest.h>

#include "base/unique_handle.h"
#include "tests/support/updater_fixture.h"
#include "updater/download.h"
#include "base/sha256.h"

using namespace freshen;
using namespace freshen_test;

namespace {

class DownloadTest : public ::testing::Test {
protected:
    DownloadTest() : folder_("download") {}
    std::string Url(const std::string& file) const { return "http://" + server_.host() + UpdatePath(file); }
    // Fetches the server's file into a new file of that name, which is
    // discarded when the fetch fails, as the update discards it.
    FetchResult Fetch(const char* file, const ExpectedFile& expected, DownloadProgress* progress = nullptr,
                      FetchStop* stop = nullptr) {
        base::UniqueFile out(CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        FetchResult result = FetchToFile(Url(file), out.get(), expected, FetchLimits(), progress, stop);
        out.reset();
        if (result != FetchResult::kOk) DeleteFileA(file);
        return result;
    }
    ScratchInstallFolder folder_;
    LoopbackServer server_;
};

std::string DigestOf(const std::string& body) {
    base::Sha256 hash;
    hash.Update(body.data(), body.size());
    return hash.HexDigest();
}

// What a signed version file would announce for body.
ExpectedFile Announced(const std::string& body) { return ExpectedFile{static_cast<unsigned long>(body.size()), DigestOf(body)}; }

TEST_F(DownloadTest, WithContentLengthOnePassAndLengthAsTotal) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(10000, 'a');  // several 4096-byte blocks
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    DownloadProgress progress;
    EXPECT_EQ(Fetch("Purvex.adb", Announced(body), &progress), FetchResult::kOk);
    EXPECT_EQ(pvtest::ReadBytes("Purvex.adb"), body);
    EXPECT_EQ(server_.Requests(UpdatePath("Purvex.adb")), 1);
    EXPECT_EQ(server_.BodyBytesSent(UpdatePath("Purvex.adb")), body.size());
    EXPECT_EQ(progress.total, 10000);
    EXPECT_EQ(progress.written, 10000);
}

TEST_F(DownloadTest, WithoutContentLengthTheAnnouncedSizeIsTheTotal) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(9000, 'b');
    CannedResponse response{200, body};
    response.sendLength = false;
    server_.Set(UpdatePath("Kordon.adb"), response);
    DownloadProgress progress;
    EXPECT_EQ(Fetch("Kordon.adb", Announced(body), &progress), FetchResult::kOk);
    EXPECT_EQ(pvtest::ReadBytes("Kordon.adb"), body);
    EXPECT_EQ(server_.Requests(UpdatePath("Kordon.adb")), 1);
    EXPECT_EQ(progress.total, 9000);
    EXPECT_EQ(progress.written, 9000);
}

// A body of another length than announced is never kept, and no more than the
// announced size is ever taken from it.
TEST_F(DownloadTest, OtherLengthThanAnnounced) {
    ASSERT_TRUE(server_.ok());
    const struct {
        size_t bodySize;
        bool sendLength;
        FetchResult result;
    } cases[] = {
        {9000, true, FetchResult::kSizeMismatch},   // Content-Length says so: nothing read
        {9000, false, FetchResult::kSizeMismatch},  // found after the announced 8000 bytes
        {8001, false, FetchResult::kSizeMismatch},
        {7999, true, FetchResult::kSizeMismatch},
        {7999, false, FetchResult::kIncomplete},  // ended early, as a cut transfer does
    };
    const std::string announced = MakeBody(8000, 'o');
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.bodySize) + (c.sendLength ? " with" : " without") + " Content-Length");
        CannedResponse response{200, announced + MakeBody(1000, 'x')};
        response.body.resize(c.bodySize);
        response.sendLength = c.sendLength;
        server_.Set(UpdatePath("Purvex.exe"), response);
        DownloadProgress progress;
        EXPECT_EQ(Fetch("Purvex.exe", Announced(announced), &progress), c.result);
        EXPECT_LE(progress.written, 8000);
    }
}

TEST_F(DownloadTest, ToMemoryWholeBodyUpToItsLimit) {
    ASSERT_TRUE(server_.ok());
    CannedResponse response{200, "[PURVEXADB]\r\nVER=2004.10.07\r\n"};
    for (bool sendLength : {false, true}) {
        response.sendLength = sendLength;
        server_.Set(UpdatePath("Purvex_Ver.txt"), response);
        std::string body;
        EXPECT_EQ(FetchToMemory(Url("Purvex_Ver.txt"), response.body.size(), body, FetchLimits()), FetchResult::kOk);
        EXPECT_EQ(body, response.body);
        EXPECT_EQ(FetchToMemory(Url("Purvex_Ver.txt"), response.body.size() - 1, body, FetchLimits()),
                  FetchResult::kSizeMismatch);
        EXPECT_EQ(body, "");
    }
}

TEST_F(DownloadTest, NotFoundOrServerErrorIsBadStatus) {
    ASSERT_TRUE(server_.ok());
    EXPECT_EQ(Fetch("Purvex.exe", Announced("x")), FetchResult::kBadStatus);
    server_.Set(UpdatePath("Chronik.dll"), CannedResponse{500, "<html>error page</html>"});
    EXPECT_EQ(Fetch("Chronik.dll", Announced("<html>error page</html>")), FetchResult::kBadStatus);
}

TEST_F(DownloadTest, CutTransferStoresNothing) {
    ASSERT_TRUE(server_.ok());
    CannedResponse response{200, MakeBody(10000, 'c')};
    response.cutAfter = 5000;
    server_.Set(UpdatePath("Purvex.dll"), response);
    DownloadProgress progress;
    EXPECT_EQ(Fetch("Purvex.dll", Announced(response.body), &progress), FetchResult::kIncomplete);
    EXPECT_EQ(progress.total, 10000);
}

TEST_F(DownloadTest, DigestMatchKeepsFile) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(5000, 'd');
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    EXPECT_EQ(Fetch("Purvex.adb", Announced(body)), FetchResult::kOk);
    EXPECT_EQ(pvtest::ReadBytes("Purvex.adb"), body);
}

TEST_F(DownloadTest, DigestMismatchStoresNothing) {
    ASSERT_TRUE(server_.ok());
    std::string body = MakeBody(5000, 'e');
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, body});
    ExpectedFile other = Announced(body);
    other.sha256Hex = DigestOf(body + "x");
    EXPECT_EQ(Fetch("Purvex.adb", other), FetchResult::kDigestMismatch);
}

TEST_F(DownloadTest, StoppedBeforeItAsksNothing) {
    ASSERT_TRUE(server_.ok());
    server_.Set(UpdatePath("Purvex.adb"), CannedResponse{200, MakeBody(5000, 'f')});
    FetchStop stop;
    stop.Stop();
    EXPECT_EQ(Fetch("Purvex.adb", Announced(MakeBody(5000, 'f')), nullptr, &stop), FetchResult::kCancelled);
    EXPECT_EQ(server_.TotalRequests(), 0);
}

TEST(Download, NoServerIsOpenFailure) {
    // Port 1 on the loopback address: nothing listens there.
    std::string body;
    EXPECT_EQ(FetchToMemory("http://127.0.0.1:1/pg_update/Purvex_Up/Purvex_Ver.txt", 100, body, FetchLimits()),
              FetchResult::kOpenFailed);
}

}  // namespace
