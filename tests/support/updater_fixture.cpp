#include <winsock2.h>  // before windows.h

#include "tests/support/updater_fixture.h"

#include <gtest/gtest.h>

#include "updater/file_table.h"
#include "updater/verify/rsa_signature.h"
#include "base/sha256.h"

namespace freshen_test {

std::string UpdatePath(const std::string& file) { return "/pg_update/Purvex_Up/" + file; }

std::string MakeBody(size_t size, char seed) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>(seed + i * 7 + (i >> 8));
    return body;
}

std::string Announce(const char* section, const std::string& version, const std::string& body) {
    base::Sha256 hash;
    hash.Update(body.data(), body.size());
    return std::string("[") + section + "]\r\nVER=" + version + "\r\nSHA256=" + hash.HexDigest() +
           "\r\nSIZE=" + std::to_string(body.size()) + "\r\n";
}

std::string SignWithTestKey(const std::string& text) {
    base::Sha256 hash;
    hash.Update(text.data(), text.size());
    uint8_t digest[base::kSha256Size], block[freshen::kRsaBytes], signature[freshen::kRsaBytes] = {};
    hash.Finish(digest);
    freshen::EncodeSha256Block(digest, block);
    freshen::RsaPower(freshen::kTestUpdateKey, freshen::kTestUpdatePrivateExponent, freshen::kRsaBytes, block,
                      signature);
    return std::string(reinterpret_cast<char*>(signature), sizeof signature);
}

std::string ServeSignedVersionFile(LoopbackServer& server, const std::string& announcements, unsigned long serial,
                                   const char* expires) {
    std::string text =
        announcements + "[UPDATE]\r\nSERIAL=" + std::to_string(serial) + "\r\nEXPIRES=" + expires + "\r\n";
    server.Set(UpdatePath("Purvex_Ver.txt"), CannedResponse{200, text});
    server.Set(UpdatePath("Purvex_Ver.sig"), CannedResponse{200, SignWithTestKey(text)});
    return text;
}

std::string ServeFiles(LoopbackServer& server, const std::map<int, std::string>& bodies, const std::string& version,
                       unsigned long serial) {
    std::string announcements;
    for (const auto& body : bodies) {
        const freshen::UpdateItem& item = freshen::Item(body.first);
        server.Set(UpdatePath(item.serverFile), CannedResponse{200, body.second});
        announcements += Announce(item.section, version, body.second);
    }
    return ServeSignedVersionFile(server, announcements, serial);
}

std::string ReadFixture(const char* name) {
    return pvtest::ReadBytes(pvtest::ProgramFolder() + "\\updater-fixtures\\" + name);
}

ScratchInstallFolder::ScratchInstallFolder(const std::string& name) : path_("C:\\purvex-updater-test\\" + name) {
    CreateDirectoryA("C:\\purvex-updater-test", nullptr);
    pvtest::RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
    current_ = std::make_unique<pvtest::CurrentFolder>(path_);
}

ScratchInstallFolder::~ScratchInstallFolder() {
    current_.reset();
    pvtest::RemoveTree(path_);
}

const char* Installation::InstalledVersion(int number) {
    static const char* const kOwn[] = {"1.0.0.1", "1.0.0.1", "1.0.0.1", "1.0a", "2004.10.06", "2004.10.06"};
    return freshen::Item(number).releaseVersion ? "1.0.0.1" : kOwn[number - 1];
}

Installation::Installation(const std::string& name, bool withMainProgram)
    : folder(name), key(pvtest::VersionKeySandbox::kAbsent) {
    for (int number = 1; number <= freshen::kItemCount; ++number) {
        const freshen::UpdateItem& item = freshen::Item(number);
        key.Set(item.valueRead, InstalledVersion(number));
        if (number != freshen::kMainProgramItem || withMainProgram) {
            const std::string file = item.installedAs + 2;  // after ".\\"
            EXPECT_TRUE(pvtest::WriteBytes(folder.At(file), "installed " + file));
        }
    }
}

void Installation::ExpectVersionsAsInstalled(const char* except) const {
    for (int number = 1; number <= freshen::kItemCount; ++number) {
        const char* value = freshen::Item(number).valueRead;
        if (lstrcmpiA(value, except) != 0) EXPECT_EQ(key.Get(value), InstalledVersion(number)) << value;
    }
}

std::map<std::string, std::string> Installation::Files() const {
    std::map<std::string, std::string> files;
    for (int number = 1; number <= freshen::kItemCount; ++number) {
        const char* name = freshen::Item(number).installedAs + 2;
        files[name] = pvtest::Exists(folder.At(name)) ? pvtest::ReadBytes(folder.At(name)) : "<missing>";
    }
    return files;
}

}  // namespace freshen_test
