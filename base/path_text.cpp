#include "base/path_text.h"

namespace base {

namespace {

bool StartsWith(const std::string& text, size_t at, const char* prefix) {
    return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The end of "\\server\share\" whose server name starts at server: past the
// share's separator, or the whole path when it ends sooner.
size_t ShareEnd(const std::string& path, size_t server) {
    const size_t share = NextSeparator(path, server);
    if (share == path.size()) return share;
    const size_t end = NextSeparator(path, share + 1);
    return end == path.size() ? end : end + 1;
}

}  // namespace

size_t FittingLength(const char* text, size_t size, size_t limit) {
    size_t end = 0;
    while (end < size) {
        const size_t next = end + CharacterLength(text, end, size);
        if (next > limit) break;
        end = next;
    }
    return end;
}

size_t NextSeparator(const std::string& path, size_t from) {
    for (size_t i = from; i < path.size(); i += CharacterLength(path.data(), i, path.size()))
        if (path[i] == '\\') return i;
    return path.size();
}

size_t LastSeparator(const std::string& path) {
    size_t last = std::string::npos;
    for (size_t i = NextSeparator(path); i < path.size(); i = NextSeparator(path, i + 1)) last = i;
    return last;
}

std::string WithBackslashes(std::string path) {
    for (size_t i = 0; i < path.size(); i += CharacterLength(path.data(), i, path.size()))
        if (path[i] == '/') path[i] = '\\';
    return path;
}

size_t RootLength(const std::string& path) {
    size_t at = 0;
    if (StartsWith(path, 0, "\\\\?\\") || StartsWith(path, 0, "\\\\.\\")) {
        at = 4;
        if (StartsWith(path, at, "UNC\\")) return ShareEnd(path, at + 4);
    } else if (StartsWith(path, 0, "\\\\")) {
        return ShareEnd(path, 2);
    }
    if (path.size() >= at + 2 && !IsLeadByte(path[at]) && path[at + 1] == ':')
        return path.size() > at + 2 && path[at + 2] == '\\' ? at + 3 : at + 2;
    if (at > 0) {  // a device: its name is the root
        const size_t end = NextSeparator(path, at);
        return end == path.size() ? end : end + 1;
    }
    return StartsWith(path, 0, "\\") ? 1 : 0;
}

std::string WithoutTrailingSeparators(std::string path) {
    const size_t root = RootLength(path);
    while (path.size() > root && LastSeparator(path) == path.size() - 1) path.pop_back();
    return path;
}

std::vector<std::string> SplitAtSeparators(const std::string& path) {
    std::vector<std::string> parts;
    size_t at = 0;
    for (;;) {
        const size_t end = NextSeparator(path, at);
        parts.push_back(path.substr(at, end - at));
        if (end == path.size()) return parts;
        at = end + 1;
    }
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    for (std::string& part : SplitAtSeparators(path))
        if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

std::string LastComponent(const std::string& path) {
    const size_t last = LastSeparator(path);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    const bool separated = folder.empty() || LastSeparator(folder) == folder.size() - 1;
    return folder + (separated ? "" : "\\") + name;
}

}  // namespace base
