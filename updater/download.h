// Fetching from the update server over plain HTTP with WinINet, one fresh
// internet handle per fetch, in blocks of at most 4096 bytes, never reading
// more than the caller expects, and never waiting without limit.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <string>

#include "base/thread.h"

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
    kOpenFailed,      // no connection, or no response within the time limits
    kBadStatus,       // the server answered something other than 200
    kIncomplete,      // the body ended early (fewer bytes than expected or than Content-Length)
    kReadFailed,      // the connection failed or fell silent during the body
    kTimedOut,        // the transfer took longer than its total limit
    kWriteFailed,     // the local file could not be written
    kSizeMismatch,    // refused: the body is longer than expected, or Content-Length says another size
    kDigestMismatch,  // refused: the body's SHA-256 differs from the one announced
    kCancelled,
};

// A download the server made differ from its announcement: a refusal, not a
// failure of the network.
inline bool IsRefusal(FetchResult r) { return r == FetchResult::kSizeMismatch || r == FetchResult::kDigestMismatch; }

// The server could not be reached, or stopped answering in time.
inline bool IsUnreachable(FetchResult r) {
    return r == FetchResult::kOpenFailed || r == FetchResult::kReadFailed || r == FetchResult::kTimedOut;
}

// How long a fetch may take. Every request gives up after idleMs without a
// byte: connecting, sending and receiving alike (WinINet's time-outs). A
// whole transfer gives up after TotalMs of the bytes it may take.
struct FetchLimits {
    DWORD idleMs = 30000;

    // Twice the idle time plus one second per KiB: a transfer averaging less
    // than about 1 KiB/s is given up, however steadily it trickles.
    DWORD TotalMs(unsigned long long size) const;

    // The limits in force: the defaults, unless the environment variable
    // PURVEX_TEST_FETCH_IDLE_MS (for tests) asks for a shorter idle time of
    // 100 ms or more.
    static FetchLimits Configured();
};

// Stops fetches from another thread: after Stop() every fetch given this
// object returns kCancelled, and a WinINet call one is blocked in is ended by
// closing its request handle (where the system allows it; elsewhere the call
// ends at its time-out).
class FetchStop {
public:
    void Stop();
    bool stopped() const { return stopped_; }

    // For the fetch: it waits in request from now on. False, and request
    // left alone, when stopped already.
    bool Enter(HINTERNET request);
    // The fetch is done with its request. True when the handle is still the
    // fetch's to close, false when Stop() closed it.
    bool Leave();

private:
    std::atomic<bool> stopped_{false};
    base::CriticalSection lock_;
    HINTERNET request_ = nullptr;  // the request a fetch waits in
};

// Fetches url into file (new and empty, opened for writing). At most
// expected.size bytes are stored (one more is asked for to tell a longer
// body); kOk only when the server answered 200 with exactly that many bytes
// whose digest is expected's. Otherwise the reason: what file holds is then
// worthless, and the caller discards it. With progress, total is
// expected.size and written grows with every block stored.
FetchResult FetchToFile(const std::string& url, HANDLE file, const ExpectedFile& expected, const FetchLimits& limits,
                        DownloadProgress* progress = nullptr, FetchStop* stop = nullptr);

// Fetches url into body: the whole body of a 200 answer, at most maxSize
// bytes (longer: kSizeMismatch). body is empty unless the result is kOk.
FetchResult FetchToMemory(const std::string& url, size_t maxSize, std::string& body, const FetchLimits& limits,
                          FetchStop* stop = nullptr);

}  // namespace freshen
