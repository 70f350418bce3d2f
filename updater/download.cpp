#include "updater/download.h"

#include <wininet.h>

#include <cstdlib>

#include "base/unique_handle.h"
#include "base/unique_internet.h"
#include "base/sha256.h"

namespace freshen {

namespace {

constexpr DWORD kBlockSize = 4096;
const char kAgent[] = "Freshen";
const char kIdleVariable[] = "PURVEX_TEST_FETCH_IDLE_MS";
constexpr DWORD kShortestIdleMs = 100;

// One request's handles, closed innermost first; the request handle is
// watched by stop while the fetch may block in it.
struct Request {
    base::UniqueInternet session;  // declared first: closed last
    base::UniqueInternet connection;
    base::UniqueInternet request;
    FetchStop* stop = nullptr;  // set while it watches request
    DWORD status = 0;
    bool hasLength = false;
    DWORD length = 0;

    ~Request() {
        if (stop && !stop->Leave()) request.release();  // Stop() closed it
    }
};

// Every WinINet time-out of handle: connect, send and receive.
void SetTimeouts(HINTERNET handle, DWORD ms) {
    const DWORD options[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                             INTERNET_OPTION_DATA_RECEIVE_TIMEOUT};
    for (DWORD option : options) InternetSetOptionA(handle, option, &ms, sizeof ms);
}

bool Stopped(const FetchStop* stop) { return stop && stop->stopped(); }

// Opens url with a fresh session, using the system's proxy settings and
// bypassing the cache, and sends the request. The time-outs are set on every
// handle: a session's are not passed on to its requests everywhere.
FetchResult Open(const std::string& url, const FetchLimits& limits, FetchStop* stop, Request& r) {
    char host[256] = {}, path[2048] = {};
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts)) return FetchResult::kOpenFailed;

    r.session.reset(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!r.session) return FetchResult::kOpenFailed;
    SetTimeouts(r.session.get(), limits.idleMs);
    r.connection.reset(
        InternetConnectA(r.session.get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!r.connection) return FetchResult::kOpenFailed;
    SetTimeouts(r.connection.get(), limits.idleMs);
    r.request.reset(HttpOpenRequestA(r.connection.get(), "GET", path, nullptr, nullptr, nullptr,
                                     INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
    if (!r.request) return FetchResult::kOpenFailed;
    SetTimeouts(r.request.get(), limits.idleMs);
    if (stop) {
        if (!stop->Enter(r.request.get())) return FetchResult::kCancelled;
        r.stop = stop;
    }
    if (!HttpSendRequestA(r.request.get(), nullptr, 0, nullptr, 0))
        return Stopped(stop) ? FetchResult::kCancelled : FetchResult::kOpenFailed;

    DWORD size = sizeof r.status;
    if (!HttpQueryInfoA(r.request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &r.status, &size, nullptr))
        r.status = 0;
    size = sizeof r.length;
    r.hasLength = HttpQueryInfoA(r.request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &r.length,
                                 &size, nullptr) != FALSE;
    return FetchResult::kOk;
}

// Opens url and checks the answer: 200, and no Content-Length other than
// exactly (or, unless exact, at most) size.
FetchResult OpenChecked(const std::string& url, unsigned long long size, bool exact, const FetchLimits& limits,
                        FetchStop* stop, Request& r) {
    FetchResult opened = Open(url, limits, stop, r);
    if (opened != FetchResult::kOk) return opened;
    if (r.status != HTTP_STATUS_OK) return FetchResult::kBadStatus;
    if (r.hasLength && (exact ? r.length != size : r.length > size)) return FetchResult::kSizeMismatch;
    return FetchResult::kOk;
}

// Reads the body to its end, handing each block to sink (which may refuse it
// by returning false), but never more than limit bytes: once limit bytes are
// in, one more byte is asked for, and any that comes makes the body too long.
// Only what has arrived is read, so that the total limit is checked however
// slowly the bytes come. The count of bytes taken goes to *count.
template <typename Sink>
FetchResult ReadBody(HINTERNET request, unsigned long long limit, DWORD started, DWORD totalMs, const FetchStop* stop,
                     unsigned long long* count, Sink sink) {
    char block[kBlockSize];
    *count = 0;
    for (;;) {
        if (Stopped(stop)) return FetchResult::kCancelled;
        if (GetTickCount() - started > totalMs) return FetchResult::kTimedOut;
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0))
            return Stopped(stop) ? FetchResult::kCancelled : FetchResult::kReadFailed;
        if (available == 0) return FetchResult::kOk;  // the end of the body
        unsigned long long left = limit - *count;
        DWORD want = left == 0 ? 1 : (left < kBlockSize ? static_cast<DWORD>(left) : kBlockSize);
        if (want > available) want = available;
        DWORD got = 0;
        if (!InternetReadFile(request, block, want, &got))
            return Stopped(stop) ? FetchResult::kCancelled : FetchResult::kReadFailed;
        if (got == 0) return FetchResult::kOk;
        if (left == 0) return FetchResult::kSizeMismatch;
        *count += got;
        if (!sink(block, got)) return FetchResult::kWriteFailed;
    }
}

}  // namespace

DWORD FetchLimits::TotalMs(unsigned long long size) const {
    unsigned long long ms = 2ull * idleMs + size / 1024 * 1000;
    return ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(ms);
}

FetchLimits FetchLimits::Configured() {
    FetchLimits limits;
    char value[16] = {};
    DWORD length = GetEnvironmentVariableA(kIdleVariable, value, sizeof value);
    if (length == 0 || length >= sizeof value) return limits;
    char* end = nullptr;
    unsigned long ms = std::strtoul(value, &end, 10);
    if (*end == '\0' && ms >= kShortestIdleMs && ms < limits.idleMs) limits.idleMs = ms;
    return limits;
}

void FetchStop::Stop() {
    stopped_ = true;
    base::ScopedLock lock(lock_);
    if (request_) InternetCloseHandle(request_);
    request_ = nullptr;
}

bool FetchStop::Enter(HINTERNET request) {
    base::ScopedLock lock(lock_);
    if (stopped_) return false;
    request_ = request;
    return true;
}

bool FetchStop::Leave() {
    base::ScopedLock lock(lock_);
    bool mine = request_ != nullptr;
    request_ = nullptr;
    return mine;
}

FetchResult FetchToFile(const std::string& url, HANDLE file, const ExpectedFile& expected, const FetchLimits& limits,
                        DownloadProgress* progress, FetchStop* stop) {
    const DWORD started = GetTickCount();
    Request r;
    FetchResult opened = OpenChecked(url, expected.size, true, limits, stop, r);
    if (opened != FetchResult::kOk) return opened;
    if (progress) progress->total = static_cast<int>(expected.size);

    base::Sha256 hash;
    unsigned long long stored = 0;
    FetchResult pass = ReadBody(r.request.get(), expected.size, started, limits.TotalMs(expected.size), stop, &stored,
                                [&](const char* data, DWORD got) {
                                    DWORD put = 0;
                                    if (!WriteFile(file, data, got, &put, nullptr) || put != got) return false;
                                    hash.Update(data, got);
                                    if (progress) progress->written += static_cast<int>(got);
                                    return true;
                                });
    if (pass != FetchResult::kOk) return pass;
    // WinINet reports a connection closed early as a normal end of the body.
    if (stored != expected.size) return FetchResult::kIncomplete;
    if (hash.HexDigest() != expected.sha256Hex) return FetchResult::kDigestMismatch;
    return FetchResult::kOk;
}

FetchResult FetchToMemory(const std::string& url, size_t maxSize, std::string& body, const FetchLimits& limits,
                          FetchStop* stop) {
    const DWORD started = GetTickCount();
    body.clear();
    Request r;
    FetchResult result = OpenChecked(url, maxSize, false, limits, stop, r);
    unsigned long long stored = 0;
    if (result == FetchResult::kOk) {
        result = ReadBody(r.request.get(), maxSize, started, limits.TotalMs(maxSize), stop, &stored,
                          [&](const char* data, DWORD got) {
                              body.append(data, got);
                              return true;
                          });
    }
    if (result == FetchResult::kOk && r.hasLength && stored != r.length) result = FetchResult::kIncomplete;
    if (result != FetchResult::kOk) body.clear();
    return result;
}

}  // namespace freshen
