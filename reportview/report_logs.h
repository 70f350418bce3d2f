// The scan logs as files: listing the log folders, reading the start of
// head.txt and report.txt, saving a report's text and deleting a log folder.
// No windows here; the reports page decides what to show.
#pragma once
#include <string>
#include <vector>

namespace reports {

constexpr size_t kHeadBytes = 200;     // read of head.txt
constexpr size_t kReportBytes = 1000;  // read of report.txt, shown and saved as it is

// The list columns 1 to 4 of one log: head.txt cut at its first three
// "\r\n". Columns the text does not reach stay empty; the status is
// everything after the third line break, line breaks included.
struct HeadColumns {
    std::string date, kind, title, status;
};
HeadColumns SplitHead(const std::string& text);

// The first `limit` bytes of the file at path as text, up to the first zero
// byte. False, with text empty, when the file cannot be opened for reading.
bool ReadTextStart(const std::string& path, size_t limit, std::string* text);

// The names of the folders that pattern ("dir\*.*") finds, in the order of
// the search, without "." and "..". Names are whole, whatever their length.
std::vector<std::string> FindSubfolders(const std::string& pattern);

// Creates (or truncates) the file at path and writes bytes, without a
// terminator. False when the file cannot be created or written; a file
// that was created or truncated but not written whole is removed again.
bool SaveTextFile(const std::string& path, const std::string& bytes);

// Deletes the folder at path with everything in it. A link inside it (or
// path itself, when it is one) is removed as a link and its target is left
// untouched. True when nothing is left at path, also when nothing was there.
bool RemoveLogFolder(const std::string& path);

}  // namespace reports
