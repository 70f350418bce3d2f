// Registry sandboxing for tests that must use fixed keys (the version key, the
// browser keys): the key tree is saved when the object is made and put back
// exactly, values and subkeys, when it goes away.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/unique_handle.h"

namespace pvtest {

struct RegValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::string data;  // raw bytes, terminator included when stored
};

// view: the registry view flag of every call (0, or KEY_WOW64_64KEY for the
// 64-bit view of 64-bit Windows).

// One value as stored; present false when it cannot be read.
RegValue ReadValue(HKEY root, const std::string& path, const char* name, REGSAM view = 0);
bool KeyExists(HKEY root, const std::string& path, REGSAM view = 0);
bool SetValue(HKEY root, const std::string& path, const char* name, const std::string& bytes,
              DWORD type = REG_SZ, REGSAM view = 0);  // creates the key when missing
// Never through a registry link: one inside the tree goes as itself.
bool DeleteKeyTree(HKEY root, const std::string& path, REGSAM view = 0);
// Makes root\path a registry link (REG_OPTION_CREATE_LINK) to the existing
// key targetRoot\targetPath.
bool MakeKeyLink(HKEY root, const std::string& path, HKEY targetRoot, const std::string& targetPath);

// A key of a name no other test uses, made under root\parent for one test and
// deleted with its subkeys (links inside as themselves) afterwards. A key that cannot be made is a failure
// of the test.
class TestKey {
public:
    TestKey(HKEY root, const std::string& parent);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;
    HKEY root() const { return root_; }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    HKEY root_;
    std::string path_;
};

class KeyBackup {
public:
    enum Mode { kKeep, kEnsure, kDelete };
    // kKeep leaves the key as it is, kEnsure creates it when missing, kDelete
    // removes the whole tree after saving it.
    KeyBackup(HKEY root, std::string path, Mode mode = kKeep, REGSAM view = 0);
    ~KeyBackup();
    KeyBackup(const KeyBackup&) = delete;
    KeyBackup& operator=(const KeyBackup&) = delete;

    struct Snapshot {
        std::vector<std::pair<std::string, RegValue>> values;
        std::vector<std::pair<std::string, Snapshot>> subkeys;
    };

private:
    HKEY root_;
    std::string path_;
    REGSAM view_;
    bool existed_;
    Snapshot saved_;
};

}  // namespace pvtest
