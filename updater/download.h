// Fetching from the update server over plain HTTP with WinINet, one fresh
// internet handle per fetch, in blocks of at most 4096 bytes, never reading
// more than the caller expects.
#pragma once
#include <atomic>
#include <string>

namespace freshen {

// Byte counters the progress bar reads from the window's thread.
struct DownloadProgress {
    std::atomic<int> total{0};
    std::atomic<int> written{0};
};

// What the signed version file announces of a file.
struct ExpectedFile {
    unsigned long size = 0;
    std::string sha256Hex;  // lower case
};

enum class FetchResult {
    kOk,
    kOpenFailed,      // no connection or no response
    kBadStatus,       // the server answered something other than 200
    kIncomplete,      // the body ended early (fewer bytes than expected or than Content-Length)
    kReadFailed,
    kWriteFailed,     // the local file could not be created or written
    kSizeMismatch,    // refused: the body is longer than expected, or Content-Length says another size
    kDigestMismatch,  // refused: the body's SHA-256 differs from the one announced
    kCancelled,
};

// A download the server made differ from its announcement: a refusal, not a
// failure of the network.
inline bool IsRefusal(FetchResult r) { return r == FetchResult::kSizeMismatch || r == FetchResult::kDigestMismatch; }

// Fetches url into path. At most expected.size bytes are stored (one more is
// asked for to tell a longer body); the file is kept only when the server
// answered 200 with exactly that many bytes whose digest is expected's;
// otherwise path is deleted and the reason returned. With progress, total is
// expected.size and written grows with every block stored. cancel, when
// given, is checked between blocks.
FetchResult FetchToFile(const std::string& url, const char* path, const ExpectedFile& expected,
                        DownloadProgress* progress = nullptr, const std::atomic<bool>* cancel = nullptr);

// Fetches url into body: the whole body of a 200 answer, at most maxSize
// bytes (longer: kSizeMismatch). body is empty unless the result is kOk.
FetchResult FetchToMemory(const std::string& url, size_t maxSize, std::string& body);

}  // namespace freshen
