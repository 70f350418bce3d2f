// The Kordon.adb encoding: one reader and one writer, used by Kordon.dll and
// by kadbtool, its tests and its fuzzer. No Windows headers: builds on any
// host.
//
// Layout (little-endian, no padding):
//   offset 0  4 bytes  magic "KADB"
//   offset 4  1 byte   format version, 1
//   offset 5  4 bytes  record count (unsigned)
//   then, per record:
//     1 byte  origin flags (what the library changed to block the control)
//     name, CLSID, alternate CLSID: each its bytes and a terminating zero,
//     at most 39 bytes before the zero
// An empty database is the 9-byte header with count 0.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace kadb {

constexpr size_t kMaxText = 39;
constexpr uint8_t kVersion = 1;
constexpr size_t kHeaderSize = 9;

// Origin flags: what the library changed when it set the kill bit, undone
// again when it clears the bit: it made the control's key (kCreatedKey) or its
// flags value (kCreatedValue), or set the bit in a flags value that was there
// (kSetBit). These three are of the registry view the program sees (the only
// one on 32-bit Windows); the same three shifted by kOrigin64BitShift are of
// the 64-bit view of 64-bit Windows.
constexpr uint8_t kCreatedKey = 0x01;
constexpr uint8_t kCreatedValue = 0x02;
constexpr uint8_t kSetBit = 0x04;
constexpr uint8_t kViewOrigin = kCreatedKey | kCreatedValue | kSetBit;
constexpr int kOrigin64BitShift = 3;
constexpr uint8_t kKnownOrigin = kViewOrigin | (kViewOrigin << kOrigin64BitShift);

struct Entry {
    std::string name;
    std::string clsid;
    std::string alternateClsid;
    uint8_t origin = 0;
};

struct Database {
    std::vector<Entry> entries;
};

enum class DecodeResult {
    whole,    // every byte was read as the format says
    damaged,  // a block-list file cut short or lying: the whole records are kept
    foreign,  // not a block-list file (other magic or version): nothing kept
};

// Decodes a whole file image into *out (cleared first). A file cut anywhere,
// a count larger than the records present, a text without its terminator
// within 40 bytes and bytes after the last record all give `damaged` with the
// records that were read whole before the fault. Nothing is read out of
// bounds, and no allocation is larger than the file can back. Unknown origin
// bits are dropped. An image that is a beginning of a valid header (an empty
// file included) counts as damaged, not foreign.
DecodeResult Decode(const uint8_t* data, size_t size, Database* out);

// Why an entry cannot be written: a text longer than 39 bytes, or one that
// holds a zero byte.
enum class EncodeError { none, tooLong, embeddedZero, tooMany };

EncodeError CheckText(const std::string& text);
// Encodes a whole database. On failure *out is left empty and *badEntry (if
// given) is the index of the entry that failed.
EncodeError Encode(const Database& db, std::vector<uint8_t>* out, size_t* badEntry = nullptr);

// A CLSID in registry form: "{", 8, 4, 4, 4 and 12 hexadecimal digits
// separated by hyphens, "}" (38 characters; digits of either letter case).
bool IsRegistryClsid(const std::string& text);
// Letter case does not matter in CLSIDs.
bool SameClsid(const std::string& a, const std::string& b);

}  // namespace kadb
