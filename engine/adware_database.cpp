#include "engine/adware_database.h"

#include <windows.h>

namespace engine {

int32_t AdwareDatabase::Load(const char* path) {
    Unload();
    if (!path) return -1;
    base::UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return -1;
    DWORD high = 0;
    DWORD size = GetFileSize(file.get(), &high);
    if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || size > kMaxDatabaseFileSize)
        return -1;
    std::vector<uint8_t> bytes(size);
    DWORD read = 0;
    if (size && (!ReadFile(file.get(), bytes.data(), size, &read, nullptr))) return -1;
    // A file that shrank meanwhile simply loads as cut short.
    if (!adb::DecodePacked(bytes.data(), read, &db_)) return -1;
    file_ = std::move(file);
    return 0;
}

void AdwareDatabase::Unload() {
    file_.reset();
    db_ = adb::PackedDatabase();
    results_.clear();
}

const adb::PackedRecord* AdwareDatabase::Record(int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &db_.records[static_cast<size_t>(index)];
}

char* AdwareDatabase::NameText(int32_t index) {
    static char empty[1] = "";
    if (index < 0 || index >= Count()) return empty;
    char* name = db_.Text(db_.records[static_cast<size_t>(index)].name);
    return name ? name : empty;
}

AdwareDatabase::ResultBlock* AdwareDatabase::NewResultBlock(size_t itemCount) {
    auto block = std::make_unique<ResultBlock>();
    block->items.reserve(itemCount);
    block->views.reserve(itemCount);
    block->texts.reset(new ItemTexts[itemCount]);
    results_.push_back(std::move(block));
    return results_.back().get();
}

const View* AdwareDatabase::ViewsOf(const AdwareItem* items, uint32_t count) const {
    if (!items) return nullptr;
    for (const auto& block : results_)
        if (block->items.data() == items) return count <= block->views.size() ? block->views.data() : nullptr;
    return nullptr;
}

AdwareDatabase::ItemTexts* AdwareDatabase::Scratch() {
    if (!scratch_) scratch_.reset(new ItemTexts[255]);
    return scratch_.get();
}

}  // namespace engine
