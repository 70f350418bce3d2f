// A small HTTP server on 127.0.0.1 for network tests: serves canned
// responses from its own thread, counts requests and body bytes per path, and
// stops after a bounded number of requests or seconds, whichever comes first.
// Include it before <windows.h> (it needs <winsock2.h>).
#pragma once
#include <winsock2.h>

#include <map>
#include <string>

#include "base/thread.h"

namespace pvtest {

struct CannedResponse {
    int status = 200;
    std::string body;
    bool sendLength = true;        // send Content-Length
    size_t cutAfter = std::string::npos;  // close the connection after this many body bytes
    // When set: after half the body, set reached and wait (at most 60 s) for
    // release before sending the rest.
    HANDLE reached = nullptr;
    HANDLE release = nullptr;
    bool silent = false;  // with release: answer nothing at all before it is set
};

class LoopbackServer {
public:
    explicit LoopbackServer(int maxRequests = 40, int maxSeconds = 90);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool ok() const { return listener_ != INVALID_SOCKET; }
    // "127.0.0.1:<port>"
    std::string host() const;
    // Anything not set answers 404.
    void Set(const std::string& path, const CannedResponse& response);
    int Requests(const std::string& path) const;
    size_t BodyBytesSent(const std::string& path) const;
    int TotalRequests() const;

private:
    void Loop();
    void Answer(SOCKET client);

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    int maxRequests_;
    int maxSeconds_;
    bool stop_ = false;
    mutable base::CriticalSection mutex_;
    std::map<std::string, CannedResponse> responses_;
    std::map<std::string, int> requests_;
    std::map<std::string, size_t> bytes_;
    int total_ = 0;
    base::Thread thread_;
};

}  // namespace pvtest
