// The version record key (base::kVersionKeyPath), which the main program, the
// updater and the start-page settings share, for one test: it is saved when
// the object is made and put back exactly (or removed again, when it was not
// there) when the object goes, and the keys above it that were made meanwhile
// go again when nothing else is in them (the backup seal's key, which other
// tests use meanwhile, stays).
#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "tests/support/registry_sandbox.h"

namespace pvtest {

class VersionKeySandbox {
public:
    // The key as it was found; made (empty) when missing; deleted.
    enum Start { kAsFound, kEnsured, kAbsent };
    explicit VersionKeySandbox(Start start = kAsFound);

    void Create();  // an empty key, when it is missing
    void Delete();
    // Stores text as REG_SZ without a terminator, as the programs store
    // versions; makes the key when it is missing.
    void Set(const char* name, const char* text);
    // The stored text of a value (a trailing zero dropped), or "<missing>".
    std::string Get(const char* name) const;
    // Every value of the key: name -> the exact bytes stored.
    std::map<std::string, std::string> Values() const;

private:
    // The program's key and the maker's key, removed again when they were
    // missing at first and are empty at last.
    struct Parents {
        Parents();
        ~Parents();
        bool product, maker;
    };
    Parents parents_;  // goes after tree_
    KeyBackup tree_;
};

}  // namespace pvtest
