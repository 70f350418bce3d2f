// The locations no repair removes, however a database spells them, and a
// hostile database through ftool_AdRepair: its protected items survive and
// report failure while their harmless companions go.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "base/protected_locations.h"
#include "base/wow64.h"
#include "tests/support/engine_probe.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"

namespace {

using namespace enginetest;

using pvtest::SystemFolder;

std::string Shell(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}
std::string Short(const std::string& path) {
    char out[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), out, MAX_PATH);
    return out;
}
std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}
std::string Slashes(std::string text) {
    for (char& c : text)
        if (c == '\\') c = '/';
    return text;
}
std::string Parent(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

TEST(ProtectedFolders, EverySpellingOfASystemFolderIsRefused) {
    const std::string windows = SystemFolder(GetWindowsDirectoryA), system = SystemFolder(GetSystemDirectoryA);
    const std::string programs = Shell(CSIDL_PROGRAM_FILES), profile = Shell(CSIDL_PROFILE);
    ASSERT_FALSE(programs.empty());
    ASSERT_NE(Short(programs), programs) << "the prefix gives the program folder a short name";
    TempFolder sandbox;
    ASSERT_TRUE(pvtest::MakeFolderLink(sandbox / "ToWindows", windows));
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);

    const std::string refused[] = {
        "", "C:\\", "c:", "C:/", "\\\\?\\C:\\",                                    // drive roots
        windows, Upper(windows), windows + "\\", Slashes(windows), system + "\\..",  // the Windows folder
        "%SystemRoot%", "%windir%\\.", "\\\\?\\" + windows,
        system, Slashes(system) + "/",                                             // the system folder
        programs, Short(programs), "%ProgramFiles%",                                // the program folder
        Parent(profile), profile, "%USERPROFILE%", "%ALLUSERSPROFILE%",             // profiles
        Shell(CSIDL_DESKTOPDIRECTORY), Shell(CSIDL_PERSONAL) + "\\",                // the user's documents
        current, ".", Parent(current),                                              // the installation folder
        sandbox / "ToWindows", sandbox / "ToWindows\\System32\\..",          // a link to the system
        "\\\\.\\" + windows};                                                           // a device spelling
    for (const std::string& path : refused) EXPECT_TRUE(base::IsProtectedFolder(path.c_str())) << path;
    ASSERT_TRUE(pvtest::ShareDriveC());
    for (const char* share : {"\\\\127.0.0.1\\C$", "\\\\?\\UNC\\localhost\\C$"})  // loopback administrative shares
        for (const std::string& path : {std::string(share), share + windows.substr(2), share + profile.substr(2)})
            EXPECT_TRUE(base::IsProtectedFolder(path.c_str())) << path;

    // A database item spelled so is never removed, whatever it leads to.
    for (const char* path : {"\\\\?\\GLOBALROOT\\SystemRoot\\Ad", "\\\\.\\C:\\Ad", "//127.0.0.1/C$/Ad",
                             "\\\\?\\UNC\\host\\share\\Ad", "\\\\?\\Volume{0}\\Ad"})
        EXPECT_TRUE(base::IsDeviceOrNetworkPath(path)) << path;
    for (const char* path : {"C:\\Ad", "\\\\?\\C:\\Ad", "\\Ad", "Ad"}) EXPECT_FALSE(base::IsDeviceOrNetworkPath(path)) << path;

    const std::string allowed[] = {sandbox.path(), windows + "\\Temp\\Adware", programs + "\\Adware",
                                   Shell(CSIDL_DESKTOPDIRECTORY) + "\\Adware", profile + "\\Application Data\\Ad",
                                   system + "\\AdwareFolder"};
    for (const std::string& path : allowed) EXPECT_FALSE(base::IsProtectedFolder(path.c_str())) << path;
}

TEST(ProtectedKeys, SystemKeysAndTheirContainersAreRefusedInAnySpelling) {
    struct Case {
        HKEY root;
        const char* key;
        bool refused;
    };
    const Case cases[] = {
        {HKEY_LOCAL_MACHINE, "", true},
        {HKEY_LOCAL_MACHINE, "\\", true},
        {HKEY_LOCAL_MACHINE, "software", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\", true},
        {HKEY_LOCAL_MACHINE, "\\SOFTWARE\\\\Microsoft", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT", true},  // contains Winlogon
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WINLOGON", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\CLSID", true},
        {HKEY_CLASSES_ROOT, "clsid", true},
        {HKEY_CLASSES_ROOT, "", true},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows", true},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", true},
        {HKEY_USERS, ".DEFAULT", true},
        {HKEY_USERS, "S-1-5-21-1\\Software\\Microsoft", true},
        {HKEY_CURRENT_CONFIG, "", true},
        // The 32-bit view's twins of 64-bit Windows, and its nodes themselves.
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node", true},
        {HKEY_LOCAL_MACHINE, "software\\wow6432node\\Microsoft\\Windows\\CurrentVersion\\Run", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Classes\\CLSID", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Wow6432Node\\CLSID\\", true},
        {HKEY_CLASSES_ROOT, "Wow6432Node\\CLSID", true},
        {HKEY_USERS, "S-1-5-18\\Software\\Wow6432Node\\Microsoft", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Adware", false},
        {HKEY_CLASSES_ROOT, "Wow6432Node\\CLSID\\{00000000-0000-0000-0000-00000000AD00}", false},
        // Numbered control sets as the current one; every hive as the current user's.
        {HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001", true},
        {HKEY_LOCAL_MACHINE, "system\\controlset999\\Services\\", true},
        {HKEY_USERS, ".DEFAULT\\Software\\Microsoft\\Windows", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Adware", false},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Adware", false},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\AdwareService", false},
        {HKEY_CLASSES_ROOT, "CLSID\\{00000000-0000-0000-0000-00000000AD00}", false},
        {HKEY_CURRENT_USER, "Software\\Adware", false},
        {HKEY_USERS, "S-1-5-21-1\\Software\\Adware", false},
        {HKEY_CURRENT_CONFIG, "Software\\Adware", false},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Services\\AdwareService", false},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet1000", false},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Adware", false},
        {HKEY_CLASSES_ROOT, "Wow6432Node\\CLSID\\{00000000-0000-0000-0000-00000000AD00}", false},
        // What Windows cannot start or log on without, in every spelling and
        // view; the starting classes and Safe Mode's entries whole.
        {HKEY_LOCAL_MACHINE, "system\\controlset002\\control\\SESSION MANAGER\\", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\Minimal\\AdwareService", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\Select", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\MountedDevices", true},
        {HKEY_LOCAL_MACHINE, "SAM\\SAM\\Domains", true},
        {HKEY_LOCAL_MACHINE, "SECURITY", true},
        {HKEY_LOCAL_MACHINE, "BCD00000000\\Objects", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-18", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Classes\\exefile\\shell\\open\\command", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Hardware Profiles\\0001\\Software", true},
        {HKEY_CLASSES_ROOT, ".LNK", true},
        {HKEY_CLASSES_ROOT, "Wow6432Node\\scrfile\\shell", true},
        {HKEY_CURRENT_USER, "Software\\Classes\\batfile\\shell\\open", true},
        {HKEY_USERS, "S-1-5-21-1_Classes\\cmdfile", true},
        {HKEY_USERS, "S-1-5-21-1\\Software\\Classes\\.pif\\", true},
        {HKEY_CURRENT_CONFIG, "System", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\AppCertDlls", false},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Adware", false},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\Adware", false},
        {HKEY_USERS, "S-1-5-21-1_Classes\\exefile2", false},
    };
    for (const Case& c : cases) EXPECT_EQ(base::IsProtectedKey(c.root, c.key), c.refused) << c.key;

    const char winlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    EXPECT_TRUE(base::IsProtectedValue(HKEY_LOCAL_MACHINE, winlogon, "Shell"));
    EXPECT_TRUE(base::IsProtectedValue(HKEY_LOCAL_MACHINE, "software\\microsoft\\windows nt\\currentversion\\winlogon\\",
                                         "USERINIT"));
    EXPECT_TRUE(base::IsProtectedValue(
        HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell"));
    EXPECT_FALSE(base::IsProtectedValue(HKEY_LOCAL_MACHINE, winlogon, "AdwareNotify"));
    EXPECT_FALSE(base::IsProtectedValue(HKEY_CURRENT_USER, winlogon, "Shell"));
    EXPECT_TRUE(base::IsProtectedValue(HKEY_CLASSES_ROOT, "exefile\\shell\\open\\command", ""));
    EXPECT_TRUE(base::IsProtectedValue(HKEY_LOCAL_MACHINE, "SYSTEM\\Select", "Current"));
    EXPECT_FALSE(base::IsProtectedValue(HKEY_LOCAL_MACHINE,
                                        "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", "AdVar"));
}

// A hostile database: each record names protected locations the repair
// could reach without harm to the rest of the prefix should it fail (the
// current installation folder and a folder containing it, the user's Run
// key, the log-on shell value), beside companions that must go.
class HostileDatabase : public ::testing::Test {
protected:
    HostileDatabase()
        : run_(HKEY_CURRENT_USER, kRun, pvtest::KeyBackup::kEnsure),
          winlogon_(HKEY_LOCAL_MACHINE, kWinlogon, pvtest::KeyBackup::kEnsure),
          winlogon64_(HKEY_LOCAL_MACHINE, kWinlogon, pvtest::KeyBackup::kEnsure, base::Registry64View()),
          key_(HKEY_CURRENT_USER, "Software") {
        CreateDirectoryA(install_.c_str(), nullptr);
        WriteText(install_ + "\\Purvex.adb", "x");
        here_ = std::make_unique<pvtest::CurrentFolder>(install_);
        pvtest::SetValue(HKEY_CURRENT_USER, kRun, "AdwareStart", "ad.exe");
        pvtest::SetValue(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", std::string("explorer.exe", 13));
        pvtest::SetValue(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", std::string("explorer.exe", 13), REG_SZ,
                         base::Registry64View());
    }
    void SetUp() override { ASSERT_TRUE(engine.ok()); }

    uint8_t Repair(const std::vector<adb::Item>& items) {
        const std::string db = WriteDatabase(scratch_, {MakeRecord(66, "Hostile", items)},
                                             "hostile" + std::to_string(++databases_) + ".adb");
        EXPECT_EQ(engine.LoadADB(db.c_str()), 0);
        AdScanResult r = engine.AdScan(0);
        // Under WOW64 a machine-wide item may be present in both registry views.
        EXPECT_TRUE(r.foundCount == items.size() || (base::RunsUnderWow64() && r.foundCount > items.size()))
            << "every item is present";
        return engine.AdRepair(r);
    }

    static constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    TempFolder folder_, scratch_;  // outlive the engine, which keeps its database open
    Engine engine;
    const std::string install_ = folder_ / "Install";
    pvtest::KeyBackup run_, winlogon_, winlogon64_;
    TestKey key_;
    std::unique_ptr<pvtest::CurrentFolder> here_;
    int databases_ = 0;
};

TEST_F(HostileDatabase, ProtectedItemsSurviveAndFailWhileCompanionsGo) {
    WriteText(folder_ / "ad.dll", "x");
    CreateDirectoryA((folder_ / "AdFolder").c_str(), nullptr);
    CreateKey(HKEY_CURRENT_USER, key_ / "AdKey");
    SetStringValue(HKEY_CURRENT_USER, key_.path(), "AdValue", "x");
    const std::string shortInstall = Short(install_);

    // The last item of each record is protected: the record reports failure.
    EXPECT_EQ(Repair({MakeItem(0, folder_.path(), "ad.dll"), MakeItem(1, Slashes(shortInstall) + "/")}), 0);
    EXPECT_EQ(Repair({MakeItem(1, folder_ / "AdFolder"), MakeItem(33, folder_.path()),
                      MakeItem(1, install_ + "\\..\\Install\\.")}),
              0);
    EXPECT_EQ(Repair({MakeItem(3, key_ / "AdKey"), MakeItem(35, "software\\microsoft\\windows\\currentversion\\RUN\\")}),
              0);
    EXPECT_EQ(Repair({MakeItem(8, key_.path(), "AdValue"), MakeItem(9, std::string(kWinlogon) + "\\", "shell")}), 0);
    // A protected item before a harmless last one: the last outcome decides.
    EXPECT_EQ(Repair({MakeItem(3, "Software\\\\Microsoft\\Windows\\CurrentVersion\\Run\\\\"),
                      MakeItem(8, kRun, "AdwareStart")}),
              1);

    EXPECT_FALSE(Exists(folder_ / "ad.dll"));
    EXPECT_FALSE(Exists(folder_ / "AdFolder"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_ / "AdKey"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key_.path(), "AdValue"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kRun, "AdwareStart")) << "a Run key's values may go";

    EXPECT_TRUE(Exists(install_ + "\\Purvex.adb")) << "the installation folder and its container stay";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRun));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kWinlogon, "Shell"));
    EXPECT_TRUE(pvtest::ReadValue(HKEY_LOCAL_MACHINE, kWinlogon, "Shell", base::Registry64View()).present)
        << "and so does the 64-bit view's";
}

// Keys the prefix lacks, made for the test and removed again (so that a
// wrong answer costs nothing): each record's value and key are refused.
TEST_F(HostileDatabase, NewlyProtectedKeysAndTheirValuesAreRefused) {
    const struct {
        HKEY root;
        uint8_t key, value;
        const char *made, *below;
    } cases[] = {
        {HKEY_LOCAL_MACHINE, 4, 9, "SAM", "\\SAM\\Domains"},
        {HKEY_LOCAL_MACHINE, 4, 9, "SECURITY", "\\Policy"},
        {HKEY_LOCAL_MACHINE, 4, 9, "BCD00000000", "\\Objects"},
        {HKEY_LOCAL_MACHINE, 4, 9, "SYSTEM\\CurrentControlSet\\Control\\SafeBoot", "\\Minimal\\Adware"},
        {HKEY_LOCAL_MACHINE, 4, 9, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\KnownDLLs", ""},
        {HKEY_CLASSES_ROOT, 2, 7, "piffile", "\\shell\\open\\command"},
        {HKEY_CURRENT_USER, 3, 8, "Software\\Classes\\exefile", "\\shell\\open\\command"},
        {HKEY_USERS, 5, 17, ".DEFAULT\\Software\\Classes\\.exe", ""},
    };
    std::vector<std::unique_ptr<pvtest::KeyBackup>> made;
    std::vector<adb::Item> items;
    for (const auto& c : cases) {
        made.push_back(std::make_unique<pvtest::KeyBackup>(c.root, c.made));
        const std::string key = std::string(c.made) + c.below;
        ASSERT_TRUE(pvtest::SetValue(c.root, key, "PvSentinel", "x")) << key;
        items.push_back(MakeItem(c.value, key, "PvSentinel"));
        items.push_back(MakeItem(c.key, key));
    }
    EXPECT_EQ(Repair(items), 0);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(engine.GetItemOutcome(static_cast<int32_t>(i)), PURVEX_ITEM_REFUSED) << *items[i].location;
        EXPECT_TRUE(pvtest::ReadValue(cases[i / 2].root, *items[i].location, "PvSentinel").present) << *items[i].location;
    }
}

// Registry links a user may make in the own hive: a removed key's link goes
// as itself, and what any link leads to (a sentinel key, the user's Run key,
// the log-on key) stays; a record reaching a protected key through one is
// refused, as it would be when named plainly.
TEST_F(HostileDatabase, RegistryLinksAreNeverFollowed) {
    const std::string sentinel = key_ / "Sentinel";
    ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, sentinel + "\\Sub", "v", "x") &&
                pvtest::SetValue(HKEY_CURRENT_USER, sentinel, "v", "x") &&
                pvtest::SetValue(HKEY_CURRENT_USER, key_ / "Ad\\Inner", "v", "x") &&
                pvtest::SetValue(HKEY_CURRENT_USER, key_.path(), "Companion", "x"));
    const HKEY user = HKEY_CURRENT_USER;
    ASSERT_TRUE(pvtest::MakeKeyLink(user, key_ / "Ad\\Link", user, sentinel) &&
                pvtest::MakeKeyLink(user, key_ / "AdLink", user, sentinel) &&
                pvtest::MakeKeyLink(user, key_ / "ValueLink", user, sentinel) &&
                pvtest::MakeKeyLink(user, key_ / "ToWindows", user, "Software\\Microsoft\\Windows\\CurrentVersion") &&
                pvtest::MakeKeyLink(user, key_ / "ToLogOn", HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"));

    EXPECT_EQ(Repair({MakeItem(3, key_ / "Ad"), MakeItem(3, key_ / "AdLink"), MakeItem(8, key_ / "ValueLink", "v"),
                      MakeItem(3, key_ / "ToWindows\\Run"), MakeItem(8, key_ / "ToLogOn\\Winlogon", "Shell"),
                      MakeItem(8, key_.path(), "Companion")}),
              1);
    const uint8_t expected[] = {PURVEX_ITEM_REMOVED, PURVEX_ITEM_REMOVED, PURVEX_ITEM_FAILED,
                                PURVEX_ITEM_REFUSED, PURVEX_ITEM_REFUSED, PURVEX_ITEM_REMOVED};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(engine.GetItemOutcome(i), expected[i]) << i;
    EXPECT_FALSE(KeyExists(user, key_ / "Ad"));
    EXPECT_FALSE(KeyExists(user, key_ / "AdLink")) << "the link itself went";
    EXPECT_FALSE(ValueExists(user, key_.path(), "Companion"));
    EXPECT_TRUE(ValueExists(user, sentinel, "v") && KeyExists(user, sentinel + "\\Sub"));
    EXPECT_TRUE(ValueExists(user, kRun, "AdwareStart"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, kWinlogon, "Shell"));
}

// The same folders and keys spelled as a share, a device or a numbered
// control set (one the test makes: Wine has none) are never removed, while
// the companions named plainly go.
TEST_F(HostileDatabase, SharesDevicesAndNumberedControlSetsAreNeverRemoved) {
    ASSERT_TRUE(pvtest::ShareDriveC());
    const char kServices[] = "SYSTEM\\ControlSet001\\Services";
    if (KeyExists(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001")) GTEST_SKIP() << "never risk a real control set";
    pvtest::KeyBackup controlSet(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001");  // removed again afterwards
    CreateKey(HKEY_LOCAL_MACHINE, std::string(kServices) + "\\PvService\\Adware");
    const std::string kept = folder_ / "Kept", onDrive = kept.substr(2);  // "\\...\\Kept" without "C:"
    CreateDirectoryA(kept.c_str(), nullptr);
    WriteText(kept + "\\x.txt", "x");
    CreateDirectoryA((folder_ / "Gone").c_str(), nullptr);

    EXPECT_EQ(Repair({MakeItem(1, folder_ / "Gone"), MakeItem(1, "\\\\127.0.0.1\\C$" + onDrive)}), 0);
    EXPECT_EQ(Repair({MakeItem(1, "\\\\?\\UNC\\localhost\\c$" + onDrive), MakeItem(1, "\\\\.\\C:" + onDrive)}), 0);
    EXPECT_EQ(Repair({MakeItem(0, "\\\\127.0.0.1\\C$" + onDrive, "x.txt")}), 0);
    EXPECT_EQ(Repair({MakeItem(4, std::string(kServices) + "\\PvService\\Adware"), MakeItem(4, kServices)}), 0);

    EXPECT_FALSE(Exists(folder_ / "Gone"));
    EXPECT_TRUE(Exists(kept + "\\x.txt"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kServices) + "\\PvService\\Adware"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kServices) + "\\PvService"));
}

}  // namespace
