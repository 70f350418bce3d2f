// libFuzzer target for the Kordon.adb codec: any byte string must decode
// without a crash or an out-of-bounds access; whatever decodes must encode
// and decode back to the same entries, and its dump must parse or fail
// cleanly.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "kordon/blocklist_source.h"
#include "kordon/kadb_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kadb::Database db;
    const kadb::DecodeResult result = kadb::Decode(data, size, &db);
    if (result == kadb::DecodeResult::foreign && !db.entries.empty()) abort();
    // Each kept entry consumed at least four bytes after the header.
    if (db.entries.size() * 4 + (db.entries.empty() ? 0 : kadb::kHeaderSize) > size) abort();

    std::vector<uint8_t> bytes;
    if (kadb::Encode(db, &bytes) != kadb::EncodeError::none) abort();  // decoded texts always fit
    kadb::Database again;
    if (kadb::Decode(bytes.data(), bytes.size(), &again) != kadb::DecodeResult::whole) abort();
    if (again.entries.size() != db.entries.size()) abort();
    for (size_t i = 0; i < db.entries.size(); ++i) {
        const kadb::Entry& a = db.entries[i];
        const kadb::Entry& b = again.entries[i];
        if (a.name != b.name || a.clsid != b.clsid || a.alternateClsid != b.alternateClsid || a.origin != b.origin)
            abort();
    }
    // The dump and the parser must never crash, whatever the texts hold.
    const std::string text = kadb::FormatBlockListSource(db);
    kadb::Database parsed;
    kadb::SourceError error;
    kadb::ParseBlockListSource(text, &parsed, &error);
    // The bytes as source text too.
    kadb::ParseBlockListSource(std::string(reinterpret_cast<const char*>(data), size), &parsed, &error);
    return 0;
}
