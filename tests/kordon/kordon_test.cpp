// Kordon.dll through its eleven exports, loaded by name with LoadLibraryA,
// against real files and the real registry of the prefix.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "base/wow64.h"
#include "kordon/kadb_codec.h"
#include "kordon/kordon.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"
#include "tests/support/kill_bit_probe.h"

namespace {

using pvtest::KeyExists;
using pvtest::ReadValue;

using namespace kill_bit_probe;

ActiveXBlockRecord Record(const std::string& name, const std::string& clsid, const std::string& alternate = "") {
    ActiveXBlockRecord record = {};
    strncpy(record.name, name.c_str(), KORDON_MAX_TEXT);
    strncpy(record.clsid, clsid.c_str(), KORDON_MAX_TEXT);
    strncpy(record.alternateClsid, alternate.c_str(), KORDON_MAX_TEXT);
    return record;
}

// The library as its callers load it: by name, each export by name.
struct Kordon {
    Kordon() : module(LoadLibraryA(KORDON_DLL)) {
        Bind(load, "ActivexBlockDBLoad");
        Bind(list, "ActivexBlockGetListItem");
        Bind(count, "ActivexBlockGetDBCount");
        Bind(killbits, "ActivexBlockGetKillbitCount");
        Bind(lock, "ActivexBlockLock");
        Bind(unlock, "ActivexBlockUnLock");
        Bind(add, "ActivexBlockDBAdd");
        Bind(edit, "ActivexBlockDBEdit");
        Bind(del, "ActivexBlockDBDel");
        Bind(save, "ActivexBlockDBSave");
        Bind(unload, "ActivexBlockDBUnLoad");
    }
    ~Kordon() {
        if (module) FreeLibrary(module);
    }
    template <typename Fn>
    void Bind(Fn& fn, const char* name) {
        fn = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
        bound = bound && fn != nullptr;
    }
    // Saves the block list and reads it again, as the next start of the
    // program does. True when every step succeeded.
    bool SaveAndReload() { return save() == 1 && unload() == 1 && load("Kordon.adb") == 1; }
    // The records as the list hands them out.
    std::vector<ActiveXBlockRecord> Records() {
        std::vector<ActiveXBlockRecord> out;
        for (const ActiveXBlockRecord* r = list(); r != nullptr; r = r->next) out.push_back(*r);
        return out;
    }

    HMODULE module;
    bool bound = true;
    ActivexBlockDBLoadFn load;
    ActivexBlockGetListItemFn list;
    ActivexBlockGetDBCountFn count;
    ActivexBlockGetKillbitCountFn killbits;
    ActivexBlockLockFn lock;
    ActivexBlockUnLockFn unlock;
    ActivexBlockDBAddFn add;
    ActivexBlockDBEditFn edit;
    ActivexBlockDBDelFn del;
    ActivexBlockDBSaveFn save;
    ActivexBlockDBUnLoadFn unload;
};

// Each test works in a sandbox folder that is the current folder, with the
// browser's compatibility key saved and put back afterwards.
class KordonLibrary : public ::testing::Test {
protected:
    KordonLibrary() : folder_(sandbox_.path()), compat_(HKEY_LOCAL_MACHINE, kCompat, pvtest::KeyBackup::kEnsure) {
        for (int n = 1; n <= 4; ++n) pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, Key(Clsid(n)));
    }
    void SetUp() override { ASSERT_TRUE(kordon_.bound); }

    void WriteDatabase(const std::vector<kadb::Entry>& entries, const std::string& name = "Kordon.adb") {
        kadb::Database db;
        db.entries = entries;
        std::vector<uint8_t> bytes;
        ASSERT_EQ(kadb::EncodeError::none, kadb::Encode(db, &bytes));
        ASSERT_TRUE(pvtest::WriteBytes(sandbox_ / name, std::string(bytes.begin(), bytes.end())));
    }
    kadb::DecodeResult ReadDatabase(kadb::Database* db) {
        const std::string bytes = pvtest::ReadBytes(sandbox_ / "Kordon.adb");
        return kadb::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), db);
    }

    pvtest::TempFolder sandbox_;
    pvtest::CurrentFolder folder_;
    pvtest::KeyBackup compat_;
    Kordon kordon_;
};

TEST_F(KordonLibrary, LoadListsTheRecordsWithTheMachinesBlocks) {
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), kFlags, Dword(0x401), REG_DWORD));
    WriteDatabase({{"First", Clsid(1), "", 0}, {"Second", Clsid(2), Clsid(3), 0}, {"Third", Clsid(3), "", 0}});

    ASSERT_EQ(1, kordon_.load(KORDON_DEFAULT_ADB));
    EXPECT_EQ(3, kordon_.count());
    const std::vector<ActiveXBlockRecord> records = kordon_.Records();
    ASSERT_EQ(3u, records.size());
    EXPECT_STREQ("Second", records[1].name);
    EXPECT_EQ(Clsid(2), records[1].clsid);
    EXPECT_EQ(Clsid(3), records[1].alternateClsid);
    EXPECT_EQ(0, records[0].blocked);
    EXPECT_EQ(1, records[1].blocked);  // read from the machine, not from the file
    EXPECT_EQ(nullptr, records[2].next);
    EXPECT_EQ(1, kordon_.killbits());

    EXPECT_EQ(1, kordon_.unload());
    EXPECT_EQ(0, kordon_.unload());  // nothing left to unload
    EXPECT_EQ(nullptr, kordon_.list());
    EXPECT_EQ(0, kordon_.count());
    EXPECT_EQ(0, kordon_.save());
    EXPECT_EQ(0, kordon_.lock(Clsid(1).c_str()));
}

TEST_F(KordonLibrary, EmptyAndMissingDatabases) {
    WriteDatabase({});
    EXPECT_EQ(1, kordon_.load("Kordon.adb"));
    EXPECT_EQ(nullptr, kordon_.list());
    EXPECT_EQ(0, kordon_.count());
    EXPECT_EQ(0, kordon_.killbits());

    // A missing file: reported, empty, and the first save creates it.
    EXPECT_EQ(0, kordon_.load("missing.adb"));
    EXPECT_EQ(0, kordon_.count());
    const ActiveXBlockRecord record = Record("New", Clsid(1));
    EXPECT_EQ(1, kordon_.add(&record));
    EXPECT_EQ(1, kordon_.save());
    EXPECT_TRUE(pvtest::FileExists(sandbox_ / "missing.adb"));
    EXPECT_FALSE(pvtest::FileExists(sandbox_ / "missing.adb.new"));
}

TEST_F(KordonLibrary, LockCreatesKeyAndValueAndUnlockRemovesThemAfterAReload) {
    WriteDatabase({{"Control", Clsid(1), "", 0}});
    ASSERT_EQ(1, kordon_.load("Kordon.adb"));
    ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(1))));

    // Letter case does not matter.
    std::string lower = Clsid(1);
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(1, kordon_.lock(lower.c_str()));
    EXPECT_EQ(0x400, Flags(Clsid(1)));
    EXPECT_EQ(1, kordon_.list()->blocked);
    EXPECT_EQ(1, kordon_.killbits());
    EXPECT_EQ(1, kordon_.save());

    // The database remembers what the library made.
    kadb::Database db;
    ASSERT_EQ(kadb::DecodeResult::whole, ReadDatabase(&db));
    EXPECT_EQ(kadb::kCreatedKey | kadb::kCreatedValue, db.entries[0].origin);
    ASSERT_EQ(1, kordon_.unload());
    ASSERT_EQ(1, kordon_.load("Kordon.adb"));
    EXPECT_EQ(1, kordon_.list()->blocked);

    EXPECT_EQ(1, kordon_.unlock(Clsid(1).c_str()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(1))));
    EXPECT_EQ(0, kordon_.list()->blocked);
    EXPECT_EQ(0, kordon_.killbits());
    EXPECT_EQ(1, kordon_.save());
    ASSERT_EQ(kadb::DecodeResult::whole, ReadDatabase(&db));
    EXPECT_EQ(0, db.entries[0].origin);
}

TEST_F(KordonLibrary, UnlockPutsBackWhatExistedBefore) {
    // Clsid(1): key and flags existed with another bit; Clsid(2): the key
    // existed with another value only.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(1)), kFlags, Dword(0x1), REG_DWORD));
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), "AlternateCLSID", Clsid(3) + '\0'));
    WriteDatabase({{"Flagged", Clsid(1), "", 0}, {"Keyed", Clsid(2), "", 0}});
    ASSERT_EQ(1, kordon_.load("Kordon.adb"));

    EXPECT_EQ(1, kordon_.lock(Clsid(1).c_str()));
    EXPECT_EQ(1, kordon_.lock(Clsid(2).c_str()));
    EXPECT_EQ(0x401, Flags(Clsid(1)));
    EXPECT_EQ(0x400, Flags(Clsid(2)));
    EXPECT_EQ(2, kordon_.killbits());
    ASSERT_TRUE(kordon_.SaveAndReload());

    EXPECT_EQ(1, kordon_.unlock(Clsid(1).c_str()));
    EXPECT_EQ(1, kordon_.unlock(Clsid(2).c_str()));
    EXPECT_EQ(0x1, Flags(Clsid(1)));
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), kFlags).present);
    EXPECT_EQ(Clsid(3) + '\0', ReadValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), "AlternateCLSID").data);

    // A bit set by someone else before the lock: unlocking clears it, as asked.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(1)), kFlags, Dword(0x405), REG_DWORD));
    EXPECT_EQ(1, kordon_.lock(Clsid(1).c_str()));
    EXPECT_EQ(1, kordon_.unlock(Clsid(1).c_str()));
    EXPECT_EQ(0x5, Flags(Clsid(1)));
}

// 64-bit Windows: the browsers of both halves read their own view.
TEST_F(KordonLibrary, KillBitsAreKeptInBothViewsAndEachViewIsPutBackAsItWas) {
    if (!base::RunsUnderWow64()) GTEST_SKIP() << "one registry view on 32-bit Windows";
    const REGSAM view64 = base::Registry64View();
    pvtest::KeyBackup compat64(HKEY_LOCAL_MACHINE, kCompat, pvtest::KeyBackup::kEnsure, view64);
    for (int n = 1; n <= 3; ++n) pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, Key(Clsid(n)), view64);
    // Blocked by someone else in one view only: Clsid(2) in the 64-bit one, Clsid(3) in the 32-bit one.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), kFlags, Dword(0x400), REG_DWORD, view64));
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(3)), kFlags, Dword(0x400), REG_DWORD));
    WriteDatabase({{"Fresh", Clsid(1), "", 0}, {"Half 64", Clsid(2), "", 0}, {"Half 32", Clsid(3), "", 0}});
    ASSERT_EQ(1, kordon_.load("Kordon.adb"));
    EXPECT_EQ(0, kordon_.killbits()) << "blocked only where blocked in both views";

    EXPECT_EQ(1, kordon_.lock(Clsid(1).c_str()));
    EXPECT_EQ(1, kordon_.lock(Clsid(2).c_str()));
    for (const std::string& clsid : {Clsid(1), Clsid(2)}) EXPECT_TRUE(Blocked(clsid) && Blocked(clsid, view64)) << clsid;
    EXPECT_EQ(2, kordon_.killbits());
    ASSERT_TRUE(kordon_.SaveAndReload());

    EXPECT_EQ(1, kordon_.unlock(Clsid(1).c_str()));
    EXPECT_EQ(1, kordon_.unlock(Clsid(2).c_str()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(1))));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(1)), view64));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(2)))) << "what the lock made goes";
    EXPECT_EQ(0x400, Flags(Clsid(2), view64)) << "the block that was there before stays";
    EXPECT_EQ(0, kordon_.killbits());
}

// The library reads the kill bits again only when the registry may have
// changed: a block changed outside it, in either view, is seen by its next
// lock, unlock and count.
TEST_F(KordonLibrary, ABlockChangedOutsideIsSeenByTheNextCall) {
    std::vector<REGSAM> views = {0};
    std::unique_ptr<pvtest::KeyBackup> compat64;
    if (base::RunsUnderWow64()) {
        views.push_back(base::Registry64View());
        compat64 = std::make_unique<pvtest::KeyBackup>(HKEY_LOCAL_MACHINE, kCompat, pvtest::KeyBackup::kEnsure,
                                                       views.back());
        for (int n = 1; n <= 2; ++n) pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, Key(Clsid(n)), views.back());
    }
    WriteDatabase({{"Blocked", Clsid(1), "", 0}, {"Free", Clsid(2), "", 0}});
    ASSERT_EQ(1, kordon_.load("Kordon.adb"));
    for (REGSAM view : views) {
        ASSERT_EQ(1, kordon_.lock(Clsid(1).c_str()));
        ASSERT_EQ(1, kordon_.killbits()) << view;
        // Someone lifts the one block and makes another.
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(1)), kFlags, Dword(0), REG_DWORD, view));
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), kFlags, Dword(0x400), REG_DWORD, view));
        EXPECT_EQ(1, kordon_.lock(Clsid(1).c_str()));
        EXPECT_EQ(1, kordon_.unlock(Clsid(2).c_str()));
        EXPECT_TRUE(Blocked(Clsid(1), view)) << view;
        EXPECT_FALSE(Blocked(Clsid(2), view)) << view;
        EXPECT_EQ(1, kordon_.killbits()) << view;
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(1)), kFlags, Dword(0), REG_DWORD, view));
        EXPECT_EQ(0, kordon_.killbits()) << view;
    }
}

TEST_F(KordonLibrary, LockRefusesWhatIsNotACleanRecordCLSID) {
    WriteDatabase({{"Control", Clsid(1), "", 0}, {"Odd flags", Clsid(2), "", 0}});
    ASSERT_EQ(1, kordon_.load("Kordon.adb"));
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), kFlags, std::string("text", 5), REG_SZ));

    EXPECT_EQ(0, kordon_.lock(Clsid(4).c_str()));  // not in the list
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(4))));
    const std::string nested = Clsid(1).substr(0, 37) + "\\x}";
    EXPECT_EQ(0, kordon_.lock(nested.c_str()));
    EXPECT_EQ(0, kordon_.lock(nullptr));
    EXPECT_EQ(0, kordon_.lock(Clsid(2).c_str()));  // its flags are not a number: left alone
    EXPECT_EQ(REG_SZ, ReadValue(HKEY_LOCAL_MACHINE, Key(Clsid(2)), kFlags).type);
    EXPECT_EQ(0, kordon_.killbits());
}

TEST_F(KordonLibrary, AddEditAndDelete) {
    WriteDatabase({{"Old", Clsid(1), "", 0}});
    ASSERT_EQ(1, kordon_.load("Kordon.adb"));
    ASSERT_EQ(1, kordon_.lock(Clsid(1).c_str()));

    const ActiveXBlockRecord added = Record("Added", Clsid(2), Clsid(3));
    EXPECT_EQ(1, kordon_.add(&added));
    EXPECT_EQ(2, kordon_.count());
    ActiveXBlockRecord bad = Record("Bad", "{0B1D7E57-0000-4000-8000}");
    EXPECT_EQ(0, kordon_.add(&bad));
    bad = Record("", Clsid(3));
    memset(bad.name, 'x', sizeof bad.name);  // no terminator within the field
    EXPECT_EQ(0, kordon_.add(&bad));
    EXPECT_EQ(2, kordon_.count());

    // A blocked record gets a new CLSID: the old block goes, the new one comes.
    ActiveXBlockRecord edited = Record("Edited", Clsid(4));
    edited.blocked = 1;
    EXPECT_EQ(1, kordon_.edit(Clsid(1).c_str(), &edited));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(1))));
    EXPECT_EQ(0x400, Flags(Clsid(4)));
    EXPECT_EQ(0, kordon_.edit(Clsid(1).c_str(), &edited));  // no longer listed

    const ActiveXBlockRecord toDelete = Record("", Clsid(2));
    EXPECT_EQ(1, kordon_.del(&toDelete));
    EXPECT_EQ(0, kordon_.del(&toDelete));
    EXPECT_EQ(1, kordon_.save());

    kadb::Database db;
    ASSERT_EQ(kadb::DecodeResult::whole, ReadDatabase(&db));
    ASSERT_EQ(1u, db.entries.size());
    EXPECT_EQ("Edited", db.entries[0].name);
    EXPECT_EQ(Clsid(4), db.entries[0].clsid);
    EXPECT_EQ("", db.entries[0].alternateClsid);
    EXPECT_EQ(kadb::kCreatedKey | kadb::kCreatedValue, db.entries[0].origin);
}

TEST_F(KordonLibrary, DamagedFilesLoadWhatIsWholeAndForeignFilesAreKept) {
    std::vector<uint8_t> whole;
    kadb::Database two;
    two.entries = {{"One", Clsid(1), "", 0}, {"Two", Clsid(2), "", 0}};
    ASSERT_EQ(kadb::EncodeError::none, kadb::Encode(two, &whole));
    const std::string full(whole.begin(), whole.end());
    std::string lying = full;
    lying[5] = '\x7f';  // 127 records claimed
    struct Case {
        const char* what;
        std::string bytes;
        size_t kept;
    } cases[] = {
        {"cut inside the second record", full.substr(0, full.size() - 5), 1},
        {"count that lies", lying, 2},
        {"text without terminator", full.substr(0, 9) + std::string(1, '\0') + std::string(5000, 'n'), 0},
        {"cut inside the header", full.substr(0, 6), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(pvtest::WriteBytes(sandbox_ / "Kordon.adb", c.bytes));
        EXPECT_EQ(0, kordon_.load("Kordon.adb"));
        EXPECT_EQ(static_cast<int>(c.kept), kordon_.count());
        EXPECT_EQ(c.kept, kordon_.Records().size());
        // Saving keeps what was whole.
        EXPECT_EQ(1, kordon_.save());
        kadb::Database saved;
        EXPECT_EQ(kadb::DecodeResult::whole, ReadDatabase(&saved));
        EXPECT_EQ(c.kept, saved.entries.size());
    }

    // Not a block list at all: nothing loads, and the file is never replaced.
    const std::string foreign = "ADB\x01\x00\x00\x00";
    ASSERT_TRUE(pvtest::WriteBytes(sandbox_ / "Kordon.adb", foreign));
    EXPECT_EQ(0, kordon_.load("Kordon.adb"));
    EXPECT_EQ(0, kordon_.count());
    const ActiveXBlockRecord record = Record("New", Clsid(1));
    EXPECT_EQ(1, kordon_.add(&record));
    EXPECT_EQ(0, kordon_.save());
    EXPECT_EQ(foreign, pvtest::ReadBytes(sandbox_ / "Kordon.adb"));
}

TEST_F(KordonLibrary, SaveWritesToTheLoadedFileInOneStep) {
    WriteDatabase({{"One", Clsid(1), "", 0}});
    ASSERT_EQ(1, kordon_.load(".\\Kordon.adb"));
    // The path was resolved at the load: another current folder changes nothing.
    pvtest::TempFolder elsewhere;
    pvtest::CurrentFolder moved(elsewhere.path());
    const ActiveXBlockRecord record = Record("\xc7\xd1\xb1\xdb", Clsid(2));  // a Korean name
    ASSERT_EQ(1, kordon_.add(&record));
    EXPECT_EQ(1, kordon_.save());
    EXPECT_FALSE(pvtest::FileExists(elsewhere / "Kordon.adb"));
    EXPECT_FALSE(pvtest::FileExists(sandbox_ / "Kordon.adb.new"));
    kadb::Database db;
    ASSERT_EQ(kadb::DecodeResult::whole, ReadDatabase(&db));
    ASSERT_EQ(2u, db.entries.size());
    EXPECT_EQ("\xc7\xd1\xb1\xdb", db.entries[1].name);
}

}  // namespace
