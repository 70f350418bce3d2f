#include <winsock2.h>  // before windows.h

#include "tests/support/updater_fixture.h"

#include <gtest/gtest.h>

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

const char* const Installation::kValues[kFiles] = {"Purvex.exe", "Chronik.dll", "Purvex.dll",
                                                   "KordonDll.dll", "KordonADB", "PurvexADB"};
const char* const Installation::kVersions[kFiles] = {"1.0.0.1", "1.0.0.1", "1.0.0.1",
                                                     "1.0a", "2004.10.06", "2004.10.06"};
const char* const Installation::kFileNames[kFiles] = {"purvex.exe", "chronik.dll", "purvex.dll",
                                                      "kordon.dll", "kordon.adb", "purvex.adb"};

Installation::Installation(const std::string& name, bool withMainProgram)
    : folder(name), key(pvtest::VersionKeySandbox::kAbsent) {
    for (int i = 0; i < kFiles; ++i) {
        key.Set(kValues[i], kVersions[i]);
        if (i > 0 || withMainProgram) {
            EXPECT_TRUE(pvtest::WriteBytes(folder.At(kFileNames[i]), std::string("installed ") + kFileNames[i]));
        }
    }
}

void Installation::ExpectVersionsAsInstalled(const char* except) const {
    for (int i = 0; i < kFiles; ++i) {
        if (lstrcmpiA(kValues[i], except) != 0) {
            EXPECT_EQ(key.Get(kValues[i]), kVersions[i]) << kValues[i];
        }
    }
}

void Installation::ExpectFilesAsInstalled(const char* except) const {
    for (int i = 1; i < kFiles; ++i) {
        if (lstrcmpiA(kFileNames[i], except) != 0) {
            EXPECT_EQ(pvtest::ReadBytes(folder.At(kFileNames[i])), std::string("installed ") + kFileNames[i]);
        }
    }
}

}  // namespace freshen_test
