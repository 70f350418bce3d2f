// The one adware database the engine holds, and the scan results it hands
// out. Results stay valid until the database is unloaded.
#pragma once
#include <stdint.h>

#include <memory>
#include <vector>

#include "adb/adb_codec.h"
#include "base/unique_handle.h"
#include "engine/item_places.h"
#include "engine/purvex_engine.h"

namespace engine {

// Database files larger than this are refused: a real database is a few
// hundred kilobytes, and the decoded table must stay proportionate.
constexpr uint32_t kMaxDatabaseFileSize = 8u * 1024 * 1024;

class AdwareDatabase {
public:
    // 0 on success; -1 when the file cannot be opened or read, is larger than
    // kMaxDatabaseFileSize, or its magic is wrong. A loaded database is
    // released first. The file stays open until Unload.
    int32_t Load(const char* path);
    // Closes the file, drops the records and every handed-out result.
    void Unload();

    int32_t Count() const { return static_cast<int32_t>(db_.records.size()); }
    // NULL for an index outside 0 .. Count() - 1.
    const adb::PackedRecord* Record(int32_t index) const;
    // Item k of a record (k below its itemCount).
    const adb::PackedItem& Item(const adb::PackedRecord& record, uint32_t k) const {
        return db_.items[record.firstItem + k];
    }
    // A text of the loaded database; NULL when the loader could not read it.
    const char* Text(adb::TextRef ref) const { return db_.Text(ref); }

    // The record's name as handed out in scan results ("" when the loader
    // could not read it); valid until Unload.
    char* NameText(int32_t index);

    // The two texts of one found item as handed out in scan results.
    struct ItemTexts {
        char location[260];
        char target[260];
    };
    // Storage for the found items of one scan result, owned by the database
    // until Unload. texts[i] and views[i] belong to items[i]: the view is the
    // engine's own record of where the item was found, which the exchanged
    // AdwareItem has no room for.
    struct ResultBlock {
        std::vector<AdwareItem> items;
        std::unique_ptr<ItemTexts[]> texts;
        std::vector<View> views;
    };
    ResultBlock* NewResultBlock(size_t itemCount);

    // The views of the first count items of a result this database handed
    // out (items is the very array of one of its results, count no larger
    // than it); NULL for any other array.
    const View* ViewsOf(const AdwareItem* items, uint32_t count) const;

    // Working room for the texts of one record's found items (a result holds
    // at most 255), reused by every scan; scans never run at the same time.
    ItemTexts* Scratch();

private:
    base::UniqueFile file_;
    adb::PackedDatabase db_;
    std::vector<std::unique_ptr<ResultBlock>> results_;
    std::unique_ptr<ItemTexts[]> scratch_;
};

}  // namespace engine
