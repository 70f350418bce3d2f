// Where the update server is. The host is configuration: the maker's web
// host by default, or the value of the environment variable
// PURVEX_UPDATE_HOST ("host" or "host:port") for a mirror or a test server.
// The path and the file names are fixed.
#pragma once
#include <string>

namespace freshen {

extern const char kDefaultUpdateHost[];
extern const char kUpdateHostVariable[];  // "PURVEX_UPDATE_HOST"
extern const char kUpdatePath[];          // "/pg_update/Purvex_Up/"

// The configured host; the default when the variable is unset, empty or not
// a plain host[:port].
std::string UpdateHost();

// "http://" + host + path + file.
std::string UpdateUrl(const char* file);

}  // namespace freshen
