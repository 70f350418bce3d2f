// What the tests of the record cleaners and of the record tabs share: the
// fixed keys and folders the cleaners work on, written out here once so the
// tests check the names the cleaners use; a backup of those keys; and key
// security read and set through the system's own calls rather than the code
// under test.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"

namespace recordstest {

inline constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr char kIntelliForms[] = "Software\\Microsoft\\Internet Explorer\\IntelliForms";
inline constexpr char kRecentDocs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
inline constexpr char kRunMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
inline constexpr char kPlayerFiles[] = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
inline constexpr char kProvider[] = "Software\\Microsoft\\Protected Storage System Provider";
inline constexpr char kFormKey[] = "e161255a-37c3-11d2-bcaa-00c04fd929db";

// The user's SID; HKCU provider key + its text; HKLM provider key + user name.
std::vector<BYTE> UserSid();
std::string UserProviderKey();
std::string MachineProviderKey();
// The Windows folder's "History"; a shell folder by its CSIDL.
std::string WindowsHistoryFolder();
std::string ShellFolder(int csidl);

// Every fixed key above (both provider keys) saved and deleted for the life of
// the object, then put back.
class RecordKeysBackup {
public:
    RecordKeysBackup();

private:
    std::vector<std::unique_ptr<pvtest::KeyBackup>> keys_;
};

// The system's own text of a SID (ConvertSidToStringSid); empty on the 9x
// family, which lacks the call.
std::string SystemSidText(PSID sid);
// The DACL of root\path as the raw self-relative descriptor the system gives;
// empty when it cannot be read.
std::vector<BYTE> KeyDaclBytes(HKEY root, const std::string& path);
// Gives root\path a DACL of one entry, read access for Everyone. False when
// that fails.
bool SetEveryoneReadDacl(HKEY root, const std::string& path);
// Checks, field by field, that dacl is the two-entry DACL granting full key
// access, inherited by subkeys, to user and then to LocalSystem; the second
// form reads the DACL of root\path back first.
void ExpectOpenDacl(PACL dacl, PSID user);
void ExpectKeyHasOpenDacl(HKEY root, const std::string& path, PSID user);

}  // namespace recordstest
