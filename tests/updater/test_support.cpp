#include <winsock2.h>  // before windows.h

#include "test_support.h"

#include <shlwapi.h>

#include "base/unique_handle.h"
#include "test_server.h"
#include "updater/verify/rsa_signature.h"
#include "updater/verify/sha256.h"
#include "updater/version_record.h"

namespace freshen_test {

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

std::string ServeSignedVersionFile(TestServer& server, const std::string& announcements, unsigned long serial,
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

namespace {
const char kOrvane[] = "SOFTWARE\\(주)Orvane";
}

VersionKeySandbox::VersionKeySandbox() {
    base::UniqueHKey probe;
    orvaneExisted_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kOrvane, 0, KEY_READ, probe.put()) == ERROR_SUCCESS;
    base::UniqueHKey key;
    existed_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, freshen::kVersionKeyPath, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
    if (!existed_) return;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        BYTE data[1024];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key.get(), index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        saved_[name] = Saved{type, std::vector<BYTE>(data, data + dataSize)};
    }
}

VersionKeySandbox::~VersionKeySandbox() {
    Delete();
    if (existed_) {
        Create();
        base::UniqueHKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, freshen::kVersionKeyPath, 0, KEY_WRITE, key.put()) == ERROR_SUCCESS) {
            for (const auto& value : saved_)
                RegSetValueExA(key.get(), value.first.c_str(), 0, value.second.type, value.second.data.data(),
                               static_cast<DWORD>(value.second.data.size()));
        }
    } else if (!orvaneExisted_) {
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kOrvane);
    }
}

void VersionKeySandbox::Create() {
    base::UniqueHKey key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, freshen::kVersionKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(),
                    nullptr);
}

void VersionKeySandbox::Delete() { SHDeleteKeyA(HKEY_LOCAL_MACHINE, freshen::kVersionKeyPath); }

void VersionKeySandbox::Set(const char* name, const char* text) {
    Create();
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, freshen::kVersionKeyPath, 0, KEY_WRITE, key.put()) != ERROR_SUCCESS) return;
    // A non-zero byte after the text: RegSetValueExA counts a zero found
    // right after the data as its terminator and stores it.
    std::string guarded = std::string(text) + "#";
    RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(guarded.data()),
                   static_cast<DWORD>(lstrlenA(text)));
}

std::string VersionKeySandbox::Get(const char* name) const {
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, freshen::kVersionKeyPath, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return "<missing>";
    BYTE data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key.get(), name, nullptr, nullptr, data, &size) != ERROR_SUCCESS) return "<missing>";
    std::string text(reinterpret_cast<char*>(data), size);
    if (!text.empty() && text.back() == '\0') text.pop_back();  // a terminator the platform added
    return text;
}

}  // namespace freshen_test
