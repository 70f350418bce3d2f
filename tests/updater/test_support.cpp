#include <winsock2.h>  // before windows.h

#include "test_support.h"

#include "updater/verify/rsa_signature.h"
#include "updater/verify/sha256.h"

namespace freshen_test {

std::string UpdatePath(const std::string& file) { return "/pg_update/Purvex_Up/" + file; }

std::string MakeBody(size_t size, char seed) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>(seed + i * 7 + (i >> 8));
    return body;
}

std::string Announce(const char* section, const std::string& version, const std::string& body) {
    freshen::Sha256 hash;
    hash.Update(body.data(), body.size());
    return std::string("[") + section + "]\r\nVER=" + version + "\r\nSHA256=" + hash.HexDigest() +
           "\r\nSIZE=" + std::to_string(body.size()) + "\r\n";
}

std::string SignWithTestKey(const std::string& text) {
    freshen::Sha256 hash;
    hash.Update(text.data(), text.size());
    uint8_t digest[freshen::kSha256Size], block[freshen::kRsaBytes], signature[freshen::kRsaBytes] = {};
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
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return pvtest::ReadBytes(folder.substr(0, folder.rfind('\\')) + "\\updater-fixtures\\" + name);
}

ScratchInstallFolder::ScratchInstallFolder(const std::string& name) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    previous_ = previous;
    CreateDirectoryA("C:\\purvex-updater-test", nullptr);
    path_ = "C:\\purvex-updater-test\\" + name;
    pvtest::RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
    SetCurrentDirectoryA(path_.c_str());
}

ScratchInstallFolder::~ScratchInstallFolder() {
    SetCurrentDirectoryA(previous_.c_str());
    pvtest::RemoveTree(path_);
}

}  // namespace freshen_test
