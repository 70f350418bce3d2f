// What the updater's tests share: signed version files served by the
// loopback server, the build's fixtures, and a scratch installation folder
// in the prefix made current for the test.
#pragma once
#include <winsock2.h>  // before windows.h

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

// A file of bin/updater-fixtures, which the build makes.
std::string ReadFixture(const char* name);

// Creates "C:\purvex-updater-test\<name>" afresh and makes it the current
// folder; the destructor restores the previous one and removes the folder.
class ScratchInstallFolder {
public:
    explicit ScratchInstallFolder(const std::string& name);
    ~ScratchInstallFolder();
    const std::string& path() const { return path_; }
    std::string At(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
    std::string previous_;
};

}  // namespace freshen_test
