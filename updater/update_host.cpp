#include "updater/update_host.h"

#include <windows.h>

namespace freshen {

const char kDefaultUpdateHost[] = "www.orvane.co.kr";
const char kUpdateHostVariable[] = "PURVEX_UPDATE_HOST";
const char kUpdatePath[] = "/pg_update/Purvex_Up/";

namespace {

// Letters, digits, '-', '.', and at most one ':' before a port.
bool IsPlainHost(const std::string& host) {
    if (host.empty() || host.size() > 255) return false;
    int colons = 0;
    for (char c : host) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                  c == '.' || c == ':';
        if (!ok) return false;
        if (c == ':') ++colons;
    }
    return colons <= 1 && host.front() != ':' && host.back() != ':';
}

}  // namespace

std::string UpdateHost() {
    char value[260] = {};
    DWORD length = GetEnvironmentVariableA(kUpdateHostVariable, value, sizeof value);
    if (length == 0 || length >= sizeof value) return kDefaultUpdateHost;
    std::string host(value, length);
    return IsPlainHost(host) ? host : kDefaultUpdateHost;
}

std::string UpdateUrl(const char* file) { return "http://" + UpdateHost() + kUpdatePath + file; }

}  // namespace freshen
