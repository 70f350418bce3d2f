// What the updater's tests share: signed version files served by the
// loopback server, the build's fixtures, and an installation as the updater
// finds it (a scratch folder made current, the version record, the files).
#pragma once
#include <winsock2.h>  // before windows.h

#include <map>
#include <memory>
#include <string>

#include "tests/support/loopback_server.h"
#include "tests/support/sandbox.h"
#include "tests/support/version_key_sandbox.h"

namespace freshen {
// The repository's test key (updater/keys), embedded by the build.
extern const unsigned char kTestUpdateKey[384];
extern const unsigned char kTestUpdatePrivateExponent[384];
}  // namespace freshen

namespace freshen_test {

using pvtest::CannedResponse;
using pvtest::LoopbackServer;

// The server path of an update file.
std::string UpdatePath(const std::string& file);

// A body of size bytes whose contents depend on seed.
std::string MakeBody(size_t size, char seed);

// A version-file section announcing body as the file's contents:
// "[section]" with VER, SHA256 and SIZE.
std::string Announce(const char* section, const std::string& version, const std::string& body);

// The signature the publishing tool makes of text with the test key.
std::string SignWithTestKey(const std::string& text);

// Serves announcements plus an [UPDATE] section as "Purvex_Ver.txt", and its
// signature by the test key as "Purvex_Ver.sig". Returns the version file.
std::string ServeSignedVersionFile(LoopbackServer& server, const std::string& announcements, unsigned long serial = 1,
                                   const char* expires = "2099-12-31");

// Serves each body as the table's file of that number, and a signed version
// file announcing them all at version. Returns the version file.
std::string ServeFiles(LoopbackServer& server, const std::map<int, std::string>& bodies, const std::string& version,
                       unsigned long serial = 1);

// A file of bin/updater-fixtures, which the build makes.
std::string ReadFixture(const char* name);

// "C:\purvex-updater-test\<name>", made afresh and current while the object
// lives, removed afterwards.
class ScratchInstallFolder {
public:
    explicit ScratchInstallFolder(const std::string& name);
    ~ScratchInstallFolder();
    const std::string& path() const { return path_; }
    std::string At(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
    std::unique_ptr<pvtest::CurrentFolder> current_;
};

// An installation as the updater finds it: the scratch folder, the version
// record holding each file's installed version (InstalledVersion) and no
// serial, and each file of the updater's table holding "installed <name>"
// (the main program's file too unless withMainProgram is false: a test puts
// its own program there).
class Installation {
public:
    // What the record holds for the table's item number.
    static const char* InstalledVersion(int number);

    explicit Installation(const std::string& name, bool withMainProgram = true);

    // Every version value is still as installed, except the one named except.
    void ExpectVersionsAsInstalled(const char* except = "") const;
    // Every file of the table as it is now: its installed name -> its bytes.
    std::map<std::string, std::string> Files() const;

    ScratchInstallFolder folder;
    pvtest::VersionKeySandbox key;
};

}  // namespace freshen_test
