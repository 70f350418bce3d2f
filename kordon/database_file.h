// Reading and replacing the database file.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace kordon {

// A block list is a few kilobytes; a larger file is not one of ours.
constexpr size_t kMaxFileBytes = 16 * 1024 * 1024;

enum class FileRead { read, missing, unreadable };

// Reads the whole file into *bytes. `missing` when neither the file nor its
// folder exists; `unreadable` for any other failure, including a file larger
// than kMaxFileBytes (*bytes is then empty).
FileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes);

// Writes bytes to a new file beside path and moves it over path in one step,
// so path holds either its old or its new contents whatever happens. The new
// file is removed again on failure.
bool ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes);

// The full path of path, resolved against the current folder; path itself
// when it cannot be resolved.
std::string FullPath(const char* path);

}  // namespace kordon
