// Sandboxes for the updater tests: a scratch installation folder in the
// prefix made current for the test, and the version record key saved and put
// back afterwards.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace freshen {
// The repository's test key (updater/keys), embedded by the build.
extern const unsigned char kTestUpdateKey[384];
extern const unsigned char kTestUpdatePrivateExponent[384];
}  // namespace freshen

namespace freshen_test {

class TestServer;

// A body of size bytes whose contents depend on seed.
std::string MakeBody(size_t size, char seed);

// A version-file section announcing body as the file's contents:
// "[section]" with VER, SHA256 and SIZE.
std::string Announce(const char* section, const std::string& version, const std::string& body);

// The signature the publishing tool makes of text with the test key.
std::string SignWithTestKey(const std::string& text);

// Serves announcements plus an [UPDATE] section as "Purvex_Ver.txt", and its
// signature by the test key as "Purvex_Ver.sig". Returns the version file.
std::string ServeSignedVersionFile(TestServer& server, const std::string& announcements, unsigned long serial = 1,
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

// Saves the version record key (whether it exists and its values); the
// destructor deletes whatever the test left there and restores the saved
// state, removing parent keys it created.
class VersionKeySandbox {
public:
    VersionKeySandbox();
    ~VersionKeySandbox();
    // Creates the key (empty) when absent.
    void Create();
    void Delete();
    void Set(const char* name, const char* text);  // stored without terminator
    // The stored text of a value (a trailing zero dropped), or "<missing>".
    std::string Get(const char* name) const;

private:
    struct Saved { DWORD type; std::vector<BYTE> data; };
    bool existed_ = false;
    bool orvaneExisted_ = false;
    std::map<std::string, Saved> saved_;
};

}  // namespace freshen_test
