#include "app/cure/restart_log.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>

#include "app/cure/cure_texts.h"
#include "base/ansi_text.h"
#include "base/restart_schedule.h"
#include "base/unique_handle.h"
#include "base/wow64.h"
#include "engine/purvex_engine.h"

namespace cure {

namespace {

constexpr char kHeading[] = "PURVEX-RESTART\t1";
constexpr char kChecked[] = "CHECKED";
constexpr char kLineEnd[] = "\r\n";
constexpr size_t kPassNameDigits = 8;

// Writes text at the end of the file at path; an existing one only unless make.
bool AppendTo(const std::string& path, const std::string& text, bool make) {
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      make ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    SetFilePointer(file.get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// The first kListBytes of the file; false when it cannot be opened.
bool ReadStart(const std::string& path, std::string* text) {
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    text->assign(kListBytes, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), &(*text)[0], static_cast<DWORD>(kListBytes), &read, nullptr)) read = 0;
    text->resize(read);
    return true;
}

// The items of a list not yet checked: those after its last check mark.
std::vector<ItemNote> UncheckedItems(const std::string& text) {
    std::vector<ItemNote> items;
    size_t at = text.find(kLineEnd);
    if (at == std::string::npos || text.compare(0, at, kHeading) != 0) return items;
    for (at += 2; at < text.size();) {
        const size_t end = text.find(kLineEnd, at);
        if (end == std::string::npos) break;  // a line never finished
        const std::string line = text.substr(at, end - at);
        at = end + 2;
        if (line == kChecked) {
            items.clear();
            continue;
        }
        const size_t first = line.find('\t'), second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos || items.size() >= kListEntries) continue;
        ItemNote item;
        item.record = base::UnescapedField(line.substr(0, first));
        item.location = base::UnescapedField(line.substr(first + 1, second - first - 1));
        item.restartPath = base::UnescapedField(line.substr(second + 1));
        items.push_back(item);
    }
    return items;
}

// Whether anything is at path, as the next start of Windows named it (the
// real folders, under WOW64 too).
bool StillThere(const std::string& path) {
    base::FileRedirectionOff redirection;
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// The pass folders under root, newest first.
std::vector<std::string> NewestPassFolders(const std::string& root) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    base::UniqueFind find(FindFirstFileA((root + "\\*.*").c_str(), &data));
    if (!find) return names;
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() == kPassNameDigits &&
            name.find_first_not_of("0123456789") == std::string::npos)
            names.push_back(name);
    } while (FindNextFileA(find.get(), &data));
    std::sort(names.begin(), names.end(), std::greater<std::string>());
    if (names.size() > static_cast<size_t>(kCheckedFolders)) names.resize(kCheckedFolders);
    return names;
}

}  // namespace

bool AppendRestartList(const std::string& folder, const std::vector<ItemNote>& notes) {
    if (folder.empty()) return false;
    const std::string path = folder + "\\" + kRestartListName;
    std::string text = GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string(kHeading) + kLineEnd
                                                                                   : std::string();
    for (const ItemNote& note : notes)
        if (note.outcome == PURVEX_ITEM_AT_RESTART)
            text += base::EscapedField(note.record) + "\t" + base::EscapedField(note.location) + "\t" +
                    base::EscapedField(note.restartPath) + kLineEnd;
    return AppendTo(path, text, true);
}

int CheckRestartLists(const std::string& root, const SYSTEMTIME& now) {
    int checked = 0;
    for (const std::string& name : NewestPassFolders(root)) {
        const std::string folder = root + "\\" + name;
        std::string text;
        if (!ReadStart(folder + "\\" + kRestartListName, &text)) continue;
        const std::vector<ItemNote> items = UncheckedItems(text);
        const bool waiting = std::any_of(items.begin(), items.end(),
                                         [](const ItemNote& item) { return base::IsRemovalPending(item.restartPath); });
        if (items.empty() || waiting) continue;
        char heading[80];
        snprintf(heading, sizeof heading, "\r\n%s : %4d-%02d-%02d %02d:%02d\r\n", kRestartCheckHeading, now.wYear,
                 now.wMonth, now.wDay, now.wHour, now.wMinute);
        std::string lines = heading;
        for (const ItemNote& item : items)
            lines += std::string("   ") + (StillThere(item.restartPath) ? kOutcomeStillThere : kOutcomeRemovedAtRestart) +
                     " : " + item.location + " (" + item.record + ")\r\n";
        if (AppendTo(folder + "\\report.txt", lines, false) &&
            AppendTo(folder + "\\" + kRestartListName, std::string(kChecked) + kLineEnd, false))
            ++checked;
    }
    return checked;
}

}  // namespace cure
