#include "tests/support/loopback_server.h"

#include <ws2tcpip.h>

namespace pvtest {

LoopbackServer::LoopbackServer(int maxRequests, int maxSeconds) : maxRequests_(maxRequests), maxSeconds_(maxSeconds) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // loopback only
    address.sin_port = 0;
    int size = sizeof address;
    if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = base::Thread([this] { Loop(); });
}

LoopbackServer::~LoopbackServer() {
    {
        base::ScopedLock lock(mutex_);
        stop_ = true;
    }
    thread_.join();
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    WSACleanup();
}

std::string LoopbackServer::host() const { return "127.0.0.1:" + std::to_string(port_); }

void LoopbackServer::Set(const std::string& path, const CannedResponse& response) {
    base::ScopedLock lock(mutex_);
    responses_[path] = response;
}

int LoopbackServer::Requests(const std::string& path) const {
    base::ScopedLock lock(mutex_);
    auto it = requests_.find(path);
    return it == requests_.end() ? 0 : it->second;
}

size_t LoopbackServer::BodyBytesSent(const std::string& path) const {
    base::ScopedLock lock(mutex_);
    auto it = bytes_.find(path);
    return it == bytes_.end() ? 0 : it->second;
}

int LoopbackServer::TotalRequests() const {
    base::ScopedLock lock(mutex_);
    return total_;
}

void LoopbackServer::Loop() {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(maxSeconds_) * 1000;
    for (;;) {
        {
            base::ScopedLock lock(mutex_);
            if (stop_ || total_ >= maxRequests_) return;
        }
        if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return;
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval wait = {0, 100 * 1000};
        if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        Answer(client);
        closesocket(client);
    }
}

namespace {

bool SendAll(SOCKET s, const char* data, size_t size) {
    while (size > 0) {
        int sent = send(s, data, static_cast<int>(size), 0);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

const char* Reason(int status) {
    switch (status) {
        case 200: return "OK";
        case 404: return "Not Found";
        case 500: return "Internal Server Error";
        default: return "Status";
    }
}

}  // namespace

void LoopbackServer::Answer(SOCKET client) {
    DWORD timeout = 10000;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
        int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        request.append(buffer, static_cast<size_t>(got));
    }
    // "GET <path> HTTP/1.1"
    size_t start = request.find(' ');
    size_t end = start == std::string::npos ? start : request.find(' ', start + 1);
    if (end == std::string::npos) return;
    std::string path = request.substr(start + 1, end - start - 1);

    CannedResponse response;
    {
        base::ScopedLock lock(mutex_);
        ++total_;
        ++requests_[path];
        auto it = responses_.find(path);
        if (it != responses_.end()) {
            response = it->second;
        } else {
            response.status = 404;
            response.body = "<html><body>404 Not Found</body></html>";
        }
    }
    if (response.silent && response.release) {
        WaitForSingleObject(response.release, 60000);
        return;
    }
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
    if (response.sendLength) head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    head += "Content-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
    size_t bodySize = response.body.size();
    if (response.cutAfter < bodySize) bodySize = response.cutAfter;
    if (!SendAll(client, head.data(), head.size())) return;
    size_t first = response.release ? bodySize / 2 : bodySize;
    bool sent = SendAll(client, response.body.data(), first);
    if (sent && response.release) {
        SetEvent(response.reached);
        WaitForSingleObject(response.release, 60000);
        sent = SendAll(client, response.body.data() + first, bodySize - first);
    }
    if (sent) {
        base::ScopedLock lock(mutex_);
        bytes_[path] += bodySize;
    }
    shutdown(client, SD_SEND);
}

}  // namespace pvtest
