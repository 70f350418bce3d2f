// adbtool: compiles a signature source into an ADB database, or prints a
// database back as source.
//
//   adbtool compile <source.txt> <out.adb>
//   adbtool dump <in.adb>
#include <iostream>
#include <string>
#include <vector>

#include "adb/adb_codec.h"
#include "adb/signature_source.h"
#include "adb/tool_commands.h"

namespace {

int Compile(const char* sourcePath, const char* outPath) {
    return tool_commands::CompileSource<adb::Database, adb::SourceError>(
        sourcePath, outPath, adb::ParseSignatureSource,
        [](const adb::Database& db, std::vector<uint8_t>* bytes) {
            return adb::Encode(db, bytes) == adb::EncodeError::none;
        },
        [](const adb::Database& db) { return db.records.size(); }, "records");
}

int Dump(const char* path) {
    std::string bytes;
    if (!tool_commands::ReadInput(path, &bytes)) return 1;
    adb::Database db;
    if (!adb::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &db)) {
        std::cerr << path << ": not an ADB database\n";
        return 1;
    }
    std::cout << adb::FormatSignatureSource(db);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "dump" && argc == 3) return Dump(argv[2]);
    std::cerr << "usage: adbtool compile <source.txt> <out.adb>\n"
                 "       adbtool dump <in.adb>\n";
    return 2;
}
