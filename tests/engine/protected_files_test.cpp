// The files the system owns and the folders lately added to the protected
// list: judged directly in every spelling (nothing real is ever handed to a
// removal), and through ftool_AdRepair only for harmless files planted under
// the system's names where the prefix has none, beside adware of its own.
#include <gtest/gtest.h>

#include "base/protected_locations.h"
#include "tests/support/engine_probe.h"

namespace {

using namespace enginetest;
using pvtest::SystemFolder;

std::string Parent(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

TEST(ProtectedFiles, TheSystemsOwnFilesAreRefusedInEverySpelling) {
    const std::string windows = SystemFolder(GetWindowsDirectoryA), system = SystemFolder(GetSystemDirectoryA);
    TempFolder sandbox;
    ASSERT_TRUE(pvtest::MakeFolderLink(sandbox / "ToSystem", system) && pvtest::ShareDriveC());
    const struct {
        std::string path;
        bool refused;
    } cases[] = {{"", true}, {windows + "\\win.ini", true}, {"%windir%\\SYSTEM.INI", true},
                 {windows + "\\explorer.exe", true}, {windows + "\\System\\user.exe", true},
                 {system + "\\userinit.exe", true}, {system + "\\..\\system32\\kernel32.dll", true},
                 {"%SystemRoot%\\system32\\ntdll.dll", true}, {sandbox / "ToSystem\\svchost.exe", true},
                 {"\\\\127.0.0.1\\C$" + system.substr(2) + "\\rundll32.exe", true}, {"C:\\boot.ini", true},
                 {"c:/NTLDR", true}, {system + "\\pvadware.dll", false}, {sandbox / "kernel32.dll", false},
                 {"C:\\explorer.exe", false}, {windows + "\\Temp\\win.ini", false}};
    for (const auto& c : cases) EXPECT_EQ(base::IsProtectedFile(c.path.c_str()), c.refused) << c.path;
    pvtest::RemoveFolderLink(sandbox / "ToSystem");
}

TEST(ProtectedFolders, DriversTheInstallerStoreAndEveryProfileAreRefused) {
    const std::string windows = SystemFolder(GetWindowsDirectoryA), system = SystemFolder(GetSystemDirectoryA);
    const std::string profile = pvtest::Environment("USERPROFILE");
    pvtest::PlantedFolder other(Parent(profile) + "\\pvother" + std::to_string(GetCurrentProcessId()));
    ASSERT_TRUE(other.PlantFolder("AppData\\Ad"));
    const struct {
        std::string path;
        bool refused;
    } cases[] = {{system + "\\drivers", true}, {"%windir%\\system32\\DRIVERS\\", true},
                 {windows + "\\Installer", true}, {windows + "\\System", true}, {Parent(profile), true},
                 {"%USERPROFILE%\\..\\Public", true}, {other.path(), true}, {other / "AppData", false},
                 {other / "AppData\\Ad", false}, {windows + "\\Installer\\{AD}", false}};
    for (const auto& c : cases) EXPECT_EQ(base::IsProtectedFolder(c.path.c_str()), c.refused) << c.path;
}

TEST(ProtectedFiles, ARecordLeavesThemAndRemovesTheAdwareBesideThem) {
    const std::string system = SystemFolder(GetSystemDirectoryA), ad = "pvad" + std::to_string(GetCurrentProcessId());
    for (const std::string& real : {system + "\\userinit.exe", system + "\\winlogon.exe", std::string("C:\\boot.ini")})
        if (Exists(real)) GTEST_SKIP() << "never risk a real " << real;
    pvtest::PlantedFolder systemFolder(system), root("C:");
    for (const char* name : {"userinit.exe", "winlogon.exe"}) ASSERT_TRUE(systemFolder.PlantFile(name, "planted"));
    ASSERT_TRUE(root.PlantFile("boot.ini", "planted") && root.PlantFile(ad + ".exe", "ad"));
    ASSERT_TRUE(systemFolder.PlantFile(ad + ".dll", "ad"));
    TempFolder folder;  // outlives the engine, which keeps its database open
    Engine engine;
    ASSERT_TRUE(engine.ok());
    const std::string db = WriteDatabase(folder, {MakeRecord(1, "Hostile", {MakeItem(0, system, "userinit.exe"),
                                                                           MakeItem(0, system, ad + ".dll"),
                                                                           MakeItem(0, "C:\\", "boot.ini"),
                                                                           MakeItem(0, system, "WINLOGON.EXE"),
                                                                           MakeItem(0, "C:\\", ad + ".exe")})});
    ASSERT_EQ(engine.LoadADB(db.c_str()), 0);
    const AdScanResult found = engine.AdScan(0);
    ASSERT_EQ(found.foundCount, 5u);
    engine.AdRepair(found);
    const bool removed[] = {false, true, false, false, true};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(engine.GetItemOutcome(i), removed[i] ? PURVEX_ITEM_REMOVED : PURVEX_ITEM_REFUSED) << i;
    EXPECT_EQ(pvtest::ReadBytes(system + "\\userinit.exe"), "planted");
    EXPECT_EQ(pvtest::ReadBytes("C:\\boot.ini"), "planted");
    EXPECT_FALSE(Exists(system + "\\" + ad + ".dll"));
}

}  // namespace
