// libFuzzer target for the ADB codec: any byte string must decode without a
// crash or an out-of-bounds access, and a decoded database whose texts are
// all present must encode and decode back to the same records.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "adb/adb_codec.h"
#include "adb/signature_source.h"

namespace {

bool SameText(const adb::Text& a, const adb::Text& b) { return a == b; }

bool SameDatabase(const adb::Database& a, const adb::Database& b) {
    if (a.records.size() != b.records.size()) return false;
    for (size_t r = 0; r < a.records.size(); ++r) {
        const adb::Record& x = a.records[r];
        const adb::Record& y = b.records[r];
        if (x.id != y.id || !SameText(x.name, y.name) || x.items.size() != y.items.size()) return false;
        for (size_t i = 0; i < x.items.size(); ++i) {
            const adb::Item& p = x.items[i];
            const adb::Item& q = y.items[i];
            if (p.type != q.type || !SameText(p.location, q.location) || !SameText(p.target, q.target) ||
                p.killRundll32 != q.killRundll32 || p.killOwnProcess != q.killOwnProcess ||
                p.restartExplorer != q.restartExplorer)
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    adb::Database db;
    if (!adb::Decode(data, size, &db)) return 0;
    // Each kept record and item consumed at least one byte of the file.
    size_t items = 0;
    for (const adb::Record& r : db.records) items += r.items.size();
    if (db.records.size() + items > size) abort();

    std::vector<uint8_t> bytes;
    if (adb::Encode(db, &bytes) == adb::EncodeError::none) {
        adb::Database again;
        if (!adb::Decode(bytes.data(), bytes.size(), &again) || !SameDatabase(db, again)) abort();
    }
    // The dump must never crash either, whatever the texts hold.
    std::string text = adb::FormatSignatureSource(db);
    adb::Database parsed;
    adb::SourceError error;
    adb::ParseSignatureSource(text, &parsed, &error);
    return 0;
}
