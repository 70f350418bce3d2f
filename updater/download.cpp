#include "updater/download.h"

#include <windows.h>
#include <wininet.h>

#include "base/unique_handle.h"
#include "base/unique_internet.h"
#include "updater/sha256.h"

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
// by returning false). The count of bytes read goes to *count.
template <typename Sink>
FetchResult ReadBody(HINTERNET file, const std::atomic<bool>* cancel, unsigned long long* count, Sink sink) {
    char block[kBlockSize];
    *count = 0;
    for (;;) {
        if (Cancelled(cancel)) return FetchResult::kCancelled;
        DWORD got = 0;
        if (!InternetReadFile(file, block, kBlockSize, &got)) return FetchResult::kReadFailed;
        if (got == 0) return FetchResult::kOk;
        *count += got;
        if (!sink(block, got)) return FetchResult::kWriteFailed;
    }
}

FetchResult Fetch(const std::string& url, const char* path, DownloadProgress* progress,
                  const std::atomic<bool>* cancel, const std::string& sha256Hex) {
    Response r;
    if (!Open(url, r)) return FetchResult::kOpenFailed;
    if (r.status != HTTP_STATUS_OK) return FetchResult::kBadStatus;

    // The progress total: Content-Length when sent, else a measuring pass,
    // whose count the stored body must then match.
    bool measured = false;
    unsigned long long measuredBytes = 0;
    if (progress && r.hasLength) {
        progress->total = static_cast<int>(r.length);
    } else if (progress) {
        FetchResult pass = ReadBody(r.file.get(), cancel, &measuredBytes, [&](const char*, DWORD got) {
            progress->total += static_cast<int>(got);
            return true;
        });
        if (pass != FetchResult::kOk) return pass;
        measured = true;
        if (!Open(url, r)) return FetchResult::kOpenFailed;
        if (r.status != HTTP_STATUS_OK) return FetchResult::kBadStatus;
    }

    base::UniqueFile out(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return FetchResult::kWriteFailed;
    Sha256 hash;
    if (!sha256Hex.empty() && !hash.ok()) return FetchResult::kDigestMismatch;  // cannot be checked: refused
    unsigned long long stored = 0;
    FetchResult pass = ReadBody(r.file.get(), cancel, &stored, [&](const char* data, DWORD got) {
        DWORD put = 0;
        if (!WriteFile(out.get(), data, got, &put, nullptr) || put != got) return false;
        if (!sha256Hex.empty()) hash.Update(data, got);
        if (progress) progress->written += static_cast<int>(got);
        return true;
    });
    if (pass != FetchResult::kOk) return pass;
    // WinINet reports a connection closed early as a normal end of the body.
    if (r.hasLength && stored != r.length) return FetchResult::kIncomplete;
    if (measured && !r.hasLength && stored != measuredBytes) return FetchResult::kIncomplete;
    if (!sha256Hex.empty() && hash.HexDigest() != sha256Hex) return FetchResult::kDigestMismatch;
    return FetchResult::kOk;
}

}  // namespace

FetchResult FetchToFile(const std::string& url, const char* path, DownloadProgress* progress,
                        const std::atomic<bool>* cancel, const std::string& sha256Hex) {
    FetchResult result = Fetch(url, path, progress, cancel, sha256Hex);
    if (result != FetchResult::kOk) DeleteFileA(path);
    return result;
}

}  // namespace freshen
