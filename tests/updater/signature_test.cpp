// Signatures and the version file's checks: openssl's signatures, published
// vectors, damaged signatures, keys and files.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/updater_fixture.h"
#include "updater/verify/rsa_signature.h"
#include "updater/verify/signed_version_file.h"

using namespace freshen;
using namespace freshen_test;

namespace {

using Bytes = std::string;

Bytes FromHex(const std::string& hex) {
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

bool Verifies(const Bytes& modulus, const Bytes& message, const Bytes& signature) {
    return VerifyRsaSha256(reinterpret_cast<const uint8_t*>(modulus.data()), message.data(), message.size(),
                           signature.data(), signature.size());
}

const Bytes kTestKey(reinterpret_cast<const char*>(kTestUpdateKey), kRsaBytes);

TEST(RsaSignature, PublishedVectors) {
    std::istringstream lines(ReadFixture("wycheproof-rsa3072-sha256.txt"));
    std::string line;
    Bytes n;
    int valid = 0, refused = 0;
    while (std::getline(lines, line)) {
        std::string id = "#", result, message, signature;
        std::istringstream(line) >> id >> result >> message >> signature;
        if (id == "n") n = FromHex(result);
        if (id == "n" || id[0] == '#') continue;
        SCOPED_TRACE("tcId " + id);
        EXPECT_EQ(Verifies(n, FromHex(message == "-" ? "" : message), FromHex(signature)), result == "valid");
        (result == "valid" ? valid : refused)++;
    }
    EXPECT_EQ(valid * 100 + refused, 308) << "3 valid, 8 refused";

    // Values a verifier must refuse before any arithmetic or after it.
    Bytes one(kRsaBytes, '\0'), nMinus1 = n, nPlus1 = n;
    one.back() = 1;
    nMinus1.back() = static_cast<char>(nMinus1.back() - 1);
    nPlus1.back() = static_cast<char>(nPlus1.back() + 1);
    const Bytes constructed[] = {Bytes(), Bytes(kRsaBytes, '\0'), one, nMinus1, n, nPlus1, Bytes(kRsaBytes, '\xFF'),
                                 n + Bytes(2, '\0'), n.substr(1), Bytes(kRsaBytes + 1, '\0')};
    for (const Bytes& signature : constructed) EXPECT_FALSE(Verifies(n, FromHex("313233343030"), signature));
}

TEST(RsaSignature, OpensslSignaturesAndTheTestSigner) {
    const Bytes text = ReadFixture("version-file.txt");
    const Bytes openssl = ReadFixture("version-file.test-key.sig");
    ASSERT_EQ(openssl.size(), kRsaBytes);
    EXPECT_TRUE(Verifies(kTestKey, text, openssl));
    EXPECT_EQ(SignWithTestKey(text), openssl) << "the tests sign as openssl does";
    EXPECT_FALSE(Verifies(kTestKey, text, ReadFixture("version-file.other-key.sig"))) << "another key's signature";
}

TEST(RsaSignature, AnyChangedBitIsRefused) {
    const Bytes text = ReadFixture("version-file.txt");
    const Bytes signature = ReadFixture("version-file.test-key.sig");
    // What ('s'ignature, 'm'essage, 'k'ey), byte, bit. The key's top bit and
    // lowest bit make it no 3072-bit key and an even one.
    const struct { char what; size_t byte; int bit; } flips[] = {
        {'s', 0, 7}, {'s', 1, 0}, {'s', 200, 3}, {'s', 383, 0}, {'m', 0, 0}, {'m', 100, 5},
        {'m', text.size() - 1, 1}, {'k', 0, 7}, {'k', 0, 0}, {'k', 190, 4}, {'k', 383, 1}, {'k', 383, 0}};
    for (const auto& f : flips) {
        SCOPED_TRACE(std::string(1, f.what) + " byte " + std::to_string(f.byte) + " bit " + std::to_string(f.bit));
        Bytes key = kTestKey, message = text, changed = signature;
        Bytes& target = f.what == 's' ? changed : f.what == 'm' ? message : key;
        target[f.byte] = static_cast<char>(target[f.byte] ^ (1 << f.bit));
        EXPECT_FALSE(Verifies(key, message, changed));
    }
}

const char* const kSections[] = {"PURVEXEXE", "CHRONIKDLL", "PURVEXDLL", "KORDONDLL", "KORDONADB", "PURVEXADB"};
const std::string kDigest = "3F189378EFBFBEDCDC2DF3CB20F00316417140517C0176EACB076371D843C5F3";

bool Parses(const std::string& text) {
    VersionFile file;
    return ParseVersionFile(text, kSections, 6, file);
}

std::string Db(const std::string& lines) { return "[PURVEXADB]\r\nVER=2004.10.07\r\n" + lines; }
std::string Update(const std::string& serial, const std::string& expires) {
    return "[UPDATE]\r\nSERIAL=" + serial + "\r\nEXPIRES=" + expires + "\r\n";
}
const std::string kGoodDb = Db("SHA256=" + kDigest + "\r\nSIZE=12\r\n");
const std::string kGoodUpdate = Update("7", "2099-12-31");

TEST(VersionFile, RequiredKeysAndTheirForms) {
    const struct {
        std::string text;
        bool parses;
    } cases[] = {
        {kGoodDb + kGoodUpdate, true},
        {kGoodUpdate, true},  // announcing nothing
        {Db("SIZE=12\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\n") + kGoodUpdate, false},
        {"[KORDONDLL]\r\nSIZE=3\r\n" + kGoodDb + kGoodUpdate, false},  // a section without VER still announces
        {Db("SHA256=" + kDigest.substr(1) + "\r\nSIZE=12\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\nSIZE=12a\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\nSIZE=2147483648\r\n") + kGoodUpdate, false},
        {kGoodDb, false},
        {kGoodDb + Update("0", "2099-12-31"), false},
        {kGoodDb + Update("4294967296", "2099-12-31"), false},
        {kGoodDb + Update("4294967295", "2099-12-31"), true},
        {kGoodDb + "[UPDATE]\r\nEXPIRES=2099-12-31\r\n", false},
        {kGoodDb + Update("7", "2024-02-29"), true},
        {kGoodDb + Update("7", "2023-02-29"), false},
        {kGoodDb + Update("7", "2024-13-01"), false},
        {kGoodDb + Update("7", "2024-1-01"), false},
        {kGoodDb + Update("7", "2099-12-31 "), true},  // blanks around a value are dropped
        // Names without regard to case, blanks, quotes, comments; the first of two counts.
        {"; comment\n[ purvexadb ]\nver = 2004.10.07\nSha256=\"" + kDigest + "\"\nsize=12\n[update]\nserial=7\n"
         "expires=2099-12-31\n[UPDATE]\nSERIAL=x\n", true},
        {Db("SHA256=" + kDigest + "\r\nSIZE=12\r\nSIZE=x\r\n") + kGoodUpdate, true},
        {Db("SHA256=" + kDigest + "\r\nSIZE=x\r\nSIZE=12\r\n") + kGoodUpdate, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parses(c.text), c.parses);
    }
}

TEST(VersionFile, WhatIsRead) {
    VersionFile file;
    ASSERT_TRUE(ParseVersionFile("[PURVEXEXE]\r\nVER=12345678901234567890123\r\nSHA256=" + kDigest +
                                     "\r\nSIZE=2147483647\r\n" + kGoodDb + Update("4000000000", "2024-02-29"),
                                 kSections, 6, file));
    EXPECT_EQ(file.files[0].version + "|" + std::to_string(file.files[0].size), "1234567890123456789|2147483647");
    EXPECT_FALSE(file.files[1].present);
    EXPECT_EQ(file.files[5].sha256Hex, "3f189378efbfbedcdc2df3cb20f00316417140517c0176eacb076371d843c5f3");
    EXPECT_EQ(file.serial, 4000000000u);
    EXPECT_EQ(file.expires.year * 10000 + file.expires.month * 100 + file.expires.day, 20240229);
}

TEST(VersionFile, ChecksInOrder) {
    const std::string good = kGoodDb + Update("7", "2024-02-29");
    const std::string goodSignature = SignWithTestKey(good);
    const std::string incomplete = Db("SIZE=12\r\n") + Update("7", "2024-02-29");
    const std::string incompleteSignature = SignWithTestKey(incomplete);
    std::string tampered = good;
    tampered[tampered.find("2004.10.07") + 9] = '8';
    const UtcDate day{2024, 2, 29}, nextDay{2024, 3, 1};
    const struct {
        const char* what;
        const std::string *text, *signature;
        uint32_t lastSerial;
        UtcDate today;
        Verdict verdict;
    } cases[] = {
        {"accepted", &good, &goodSignature, 6, day, Verdict::kAccepted},
        {"same serial", &good, &goodSignature, 7, day, Verdict::kAccepted},
        {"no signature", &good, nullptr, 0, day, Verdict::kNoSignature},
        {"tampered", &tampered, &goodSignature, 0, day, Verdict::kBadSignature},
        {"incomplete", &incomplete, &incompleteSignature, 0, day, Verdict::kIncomplete},
        {"older serial", &good, &goodSignature, 8, day, Verdict::kOlderSerial},
        {"expired", &good, &goodSignature, 0, nextDay, Verdict::kExpired},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VersionFile file;
        EXPECT_EQ(CheckVersionFile(*c.text, c.signature, kTestUpdateKey, c.lastSerial, c.today, kSections, 6, file),
                  c.verdict);
        EXPECT_EQ(file.serial, c.verdict == Verdict::kAccepted ? 7u : 0u) << "filled only when accepted";
    }
}

}  // namespace
