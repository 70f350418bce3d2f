// Sandboxes for the scan page's tests: temporary folders, files read back as
// bytes, and the expected-output folder of this test directory.
#pragma once
#include <windows.h>

#include <string>

namespace cure_test {

// A fresh empty folder under the temporary path, removed with its contents
// when the object goes away.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Deletes a folder tree; true when it is gone afterwards.
bool RemoveTree(const std::string& path);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
// The whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
// A file of this test directory's data folder, as bytes.
std::string ReadTestData(const std::string& name);

}  // namespace cure_test
