// kadbtool: compiles a block-list source into a Kordon.adb database, or
// prints a database back as source.
//
//   kadbtool compile <source.txt> <out.adb>
//   kadbtool dump <in.adb>
#include <iostream>
#include <string>
#include <vector>

#include "adb/tool_commands.h"
#include "kordon/blocklist_source.h"
#include "kordon/kadb_codec.h"

namespace {

int Compile(const char* sourcePath, const char* outPath) {
    return tool_commands::CompileSource<kadb::Database, kadb::SourceError>(
        sourcePath, outPath, kadb::ParseBlockListSource,
        [](const kadb::Database& db, std::vector<uint8_t>* bytes) {
            return kadb::Encode(db, bytes) == kadb::EncodeError::none;
        },
        [](const kadb::Database& db) { return db.entries.size(); }, "controls");
}

int Dump(const char* path) {
    std::string bytes;
    if (!tool_commands::ReadInput(path, &bytes)) return 1;
    kadb::Database db;
    const kadb::DecodeResult result =
        kadb::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &db);
    if (result == kadb::DecodeResult::foreign) {
        std::cerr << path << ": not a Kordon.adb database\n";
        return 1;
    }
    std::cout << kadb::FormatBlockListSource(db);
    if (result == kadb::DecodeResult::damaged) {
        std::cerr << path << ": damaged; the whole records before the damage are shown\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "dump" && argc == 3) return Dump(argv[2]);
    std::cerr << "usage: kadbtool compile <source.txt> <out.adb>\n"
                 "       kadbtool dump <in.adb>\n";
    return 2;
}
