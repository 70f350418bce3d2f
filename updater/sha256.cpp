#include "updater/sha256.h"

namespace freshen {

namespace {
// Known to CryptoAPI from Windows XP SP3 on; spelled out because the build
// targets older headers. Older systems simply have no provider for it.
constexpr ALG_ID kSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;
}  // namespace

Sha256::Sha256() {
    if (!CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
        provider_ = 0;
        return;
    }
    if (!CryptCreateHash(provider_, kSha256, 0, 0, &hash_)) hash_ = 0;
}

Sha256::~Sha256() {
    if (hash_) CryptDestroyHash(hash_);
    if (provider_) CryptReleaseContext(provider_, 0);
}

void Sha256::Update(const void* data, DWORD size) {
    if (!hash_ || size == 0) return;
    if (!CryptHashData(hash_, static_cast<const BYTE*>(data), size, 0)) failed_ = true;
}

std::string Sha256::HexDigest() {
    BYTE digest[32];
    DWORD size = sizeof digest;
    if (!hash_ || failed_ || !CryptGetHashParam(hash_, HP_HASHVAL, digest, &size, 0) || size != sizeof digest)
        return std::string();
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (BYTE b : digest) {
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

}  // namespace freshen
