// Fetching one file from the update server over plain HTTP with WinINet, one
// fresh internet handle per fetch, in blocks of 4096 bytes.
#pragma once
#include <atomic>
#include <string>

namespace freshen {

// Byte counters the progress bar reads from the window's thread.
struct DownloadProgress {
    std::atomic<int> total{0};
    std::atomic<int> written{0};
};

enum class FetchResult {
    kOk,
    kOpenFailed,      // no connection or no response
    kBadStatus,       // the server answered something other than 200
    kIncomplete,      // fewer (or more) bytes than Content-Length or than the measuring pass
    kReadFailed,
    kWriteFailed,     // the local file could not be created or written
    kDigestMismatch,  // the body's SHA-256 differs from the one announced
    kCancelled,
};

// Fetches url into path. The file is kept only when the server answered 200,
// the whole body arrived (as many bytes as Content-Length when the server sent
// one) and, when sha256Hex is not empty, the body's digest equals it;
// otherwise path is deleted and the reason returned.
//
// With progress: total is set from Content-Length, or, when the server sends
// none, from a first measuring pass over the whole body; written grows with
// every block stored. Without progress there is no measuring pass.
// cancel, when given, is checked between blocks.
FetchResult FetchToFile(const std::string& url, const char* path, DownloadProgress* progress = nullptr,
                        const std::atomic<bool>* cancel = nullptr, const std::string& sha256Hex = std::string());

}  // namespace freshen
