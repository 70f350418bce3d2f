// libFuzzer target for the signed version file: any bytes, taken as the file
// and as its signature, must be read or refused without a crash or an
// out-of-bounds access, and nothing unsigned is ever accepted.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "updater/verify/signed_version_file.h"

namespace {

const char* const kSections[] = {"PURVEXEXE", "CHRONIKDLL", "PURVEXDLL", "KORDONDLL", "KORDONADB", "PURVEXADB"};

// Any odd modulus with its top bit set: no signature of these bytes is known.
struct FuzzKey {
    uint8_t modulus[freshen::kRsaBytes];
    FuzzKey() {
        for (size_t i = 0; i < sizeof modulus; ++i) modulus[i] = static_cast<uint8_t>(0xC5 ^ (i * 37));
        modulus[0] |= 0x80;
        modulus[sizeof modulus - 1] |= 1;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzKey key;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    freshen::VersionFile file;
    if (freshen::ParseVersionFile(bytes, kSections, 6, file)) {
        if (file.serial == 0 || file.files.size() != 6) abort();
        for (const freshen::Announcement& a : file.files)
            if (a.version.size() > freshen::kMaxVersionLength || (a.present && a.sha256Hex.size() != 64)) abort();
    }
    const freshen::UtcDate today{2024, 1, 1};
    // As the file with a signature of its own bytes, and as a signature.
    if (freshen::CheckVersionFile(bytes, &bytes, key.modulus, 0, today, kSections, 6, file) ==
        freshen::Verdict::kAccepted)
        abort();
    const std::string text = "[UPDATE]\r\nSERIAL=1\r\nEXPIRES=2099-12-31\r\n";
    if (freshen::CheckVersionFile(text, &bytes, key.modulus, 0, today, kSections, 6, file) ==
        freshen::Verdict::kAccepted)
        abort();
    return 0;
}
