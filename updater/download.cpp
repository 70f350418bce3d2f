#include "updater/download.h"

#include <windows.h>
#include <wininet.h>

#include "base/unique_handle.h"
#include "base/unique_internet.h"
#include "base/sha256.h"

namespace freshen {

namespace {

constexpr DWORD kBlockSize = 4096;
const char kAgent[] = "Freshen";

struct Response {
    base::UniqueInternet session;  // declared first: closed last
    base::UniqueInternet file;
    DWORD status = 0;
    bool hasLength = false;
    DWORD length = 0;
};

// Opens url with a fresh session, using the system's proxy settings and
// bypassing the cache. False when no response could be had.
bool Open(const std::string& url, Response& r) {
    r.file.reset();
    r.session.reset(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!r.session) return false;
    r.file.reset(InternetOpenUrlA(r.session.get(), url.c_str(), nullptr, 0,
                                  INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
    if (!r.file) return false;
    DWORD size = sizeof r.status;
    if (!HttpQueryInfoA(r.file.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &r.status, &size, nullptr))
        r.status = 0;
    size = sizeof r.length;
    r.hasLength = HttpQueryInfoA(r.file.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &r.length,
                                 &size, nullptr) != FALSE;
    return true;
}

bool Cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(); }

// Reads the body to its end, handing each block to sink (which may refuse it
// by returning false), but never more than limit bytes: once limit bytes are
// in, one more byte is asked for, and any that comes makes the body too long.
// The count of bytes taken goes to *count.
template <typename Sink>
FetchResult ReadBody(HINTERNET file, unsigned long long limit, const std::atomic<bool>* cancel,
                     unsigned long long* count, Sink sink) {
    char block[kBlockSize];
    *count = 0;
    for (;;) {
        if (Cancelled(cancel)) return FetchResult::kCancelled;
        unsigned long long left = limit - *count;
        DWORD want = left == 0 ? 1 : (left < kBlockSize ? static_cast<DWORD>(left) : kBlockSize);
        DWORD got = 0;
        if (!InternetReadFile(file, block, want, &got)) return FetchResult::kReadFailed;
        if (got == 0) return FetchResult::kOk;
        if (left == 0) return FetchResult::kSizeMismatch;
        *count += got;
        if (!sink(block, got)) return FetchResult::kWriteFailed;
    }
}

// Opens url and checks the answer: 200, and no Content-Length other than
// exactly (or, unless exact, at most) size.
FetchResult OpenChecked(const std::string& url, unsigned long long size, bool exact, Response& r) {
    if (!Open(url, r)) return FetchResult::kOpenFailed;
    if (r.status != HTTP_STATUS_OK) return FetchResult::kBadStatus;
    if (r.hasLength && (exact ? r.length != size : r.length > size)) return FetchResult::kSizeMismatch;
    return FetchResult::kOk;
}

FetchResult Fetch(const std::string& url, const char* path, const ExpectedFile& expected, DownloadProgress* progress,
                  const std::atomic<bool>* cancel) {
    Response r;
    FetchResult opened = OpenChecked(url, expected.size, true, r);
    if (opened != FetchResult::kOk) return opened;
    if (progress) progress->total = static_cast<int>(expected.size);

    base::UniqueFile out(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return FetchResult::kWriteFailed;
    base::Sha256 hash;
    unsigned long long stored = 0;
    FetchResult pass = ReadBody(r.file.get(), expected.size, cancel, &stored, [&](const char* data, DWORD got) {
        DWORD put = 0;
        if (!WriteFile(out.get(), data, got, &put, nullptr) || put != got) return false;
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

}  // namespace

FetchResult FetchToFile(const std::string& url, const char* path, const ExpectedFile& expected,
                        DownloadProgress* progress, const std::atomic<bool>* cancel) {
    FetchResult result = Fetch(url, path, expected, progress, cancel);
    if (result != FetchResult::kOk) DeleteFileA(path);
    return result;
}

FetchResult FetchToMemory(const std::string& url, size_t maxSize, std::string& body) {
    body.clear();
    Response r;
    FetchResult result = OpenChecked(url, maxSize, false, r);
    unsigned long long stored = 0;
    if (result == FetchResult::kOk) {
        result = ReadBody(r.file.get(), maxSize, nullptr, &stored, [&](const char* data, DWORD got) {
            body.append(data, got);
            return true;
        });
    }
    if (result == FetchResult::kOk && r.hasLength && stored != r.length) result = FetchResult::kIncomplete;
    if (result != FetchResult::kOk) body.clear();
    return result;
}

}  // namespace freshen
