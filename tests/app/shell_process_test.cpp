// Whole Purvex.exe processes started from a throwaway installation: single
// instance, the version record of a first and a later start, the missing
// engine, and the updater launch.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <map>
#include <string>

#include "app/shell_texts.h"
#include "app/version_record.h"
#include "base/unique_handle.h"
#include "tests/app/installation.h"
#include "tests/support/sandbox.h"
#include "tests/support/version_key_sandbox.h"
#include "tests/support/window_driver.h"
#include "updater/file_table.h"

using app_test::Installation;

namespace {

// Rewrites the FileVersion text of an executable in place: the UTF-16 text
// that follows the key "FileVersion" in its version block.
bool ChangeFileVersion(const std::string& path, const std::wstring& from, const std::wstring& to) {
    std::string bytes = pvtest::ReadBytes(path);
    auto wide = [](const std::wstring& text) {
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    };
    const size_t key = bytes.find(wide(L"FileVersion"));
    if (key == std::string::npos || from.size() != to.size()) return false;
    const size_t value = bytes.find(wide(from), key);
    if (value == std::string::npos) return false;
    bytes.replace(value, from.size() * 2, wide(to));
    return pvtest::WriteBytes(path, bytes);
}

// The engine's own version text, asked the way the program asks it.
std::string EngineVersion(const std::string& path) {
    base::UniqueModule engine(LoadLibraryA(path.c_str()));
    if (!engine) return "no engine";
    auto getVer = reinterpret_cast<const char*(__cdecl*)()>(
        reinterpret_cast<void*>(GetProcAddress(engine.get(), "ftool_GetVer")));
    return getVer ? getVer() : "no ftool_GetVer";
}

std::string FileVersionOf(const std::string& path) {
    DWORD ignored = 0;
    std::string info(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
    if (info.empty() || !GetFileVersionInfoA(path.c_str(), 0, DWORD(info.size()), &info[0])) return "";
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(&info[0], "\\StringFileInfo\\041204b0\\FileVersion", &text, &length)) return "";
    return static_cast<const char*>(text);
}

}  // namespace

TEST(ShellProcess, SecondInstanceEndsWithExitCodeOneAndShowsTheFirstWindow) {
    Installation installation;
    HANDLE first = installation.Start();
    HWND frame = Installation::WaitForWindow(first, shell::kAppTitle);
    ASSERT_NE(frame, nullptr);

    ShowWindow(frame, SW_HIDE);
    ASSERT_FALSE(IsWindowVisible(frame));
    HANDLE second = installation.Start();
    EXPECT_EQ(Installation::WaitForExit(second), 1u);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(pvtest::ProcessWindows(GetProcessId(second), shell::kAppTitle).empty());

    // A minimised window stays minimised.
    ShowWindow(frame, SW_MINIMIZE);
    HANDLE third = installation.Start();
    EXPECT_EQ(Installation::WaitForExit(third), 1u);
    EXPECT_TRUE(IsIconic(frame));

    EXPECT_EQ(Installation::Close(first, frame), 0u);
}

TEST(ShellProcess, FirstStartWritesTheRecordAndALaterStartKeepsItAfterAVersionChange) {
    pvtest::VersionKeySandbox key(pvtest::VersionKeySandbox::kAbsent);
    Installation installation;
    HANDLE first = installation.Start();
    HWND frame = Installation::WaitForWindow(first, shell::kAppTitle);
    ASSERT_NE(frame, nullptr);
    const std::map<std::string, std::string> written = key.Values();
    std::map<std::string, std::string> expected = {
        {"Purvex.exe", FileVersionOf(installation.Path("Purvex.exe"))},
        {"Chronik.dll", FileVersionOf(installation.Path("Chronik.dll"))},
        {"Purvex.dll", EngineVersion(installation.Path("Purvex.dll"))},
        {"KordonDll.dll", "1.0a"},
        {"PurvexADB", "2004.10.06"},
        {"KordonADB", "2004.10.06"},
        {"StartPage", "about:blank"},
    };
    for (int number = 1; number <= freshen::kItemCount; ++number) {
        const freshen::UpdateItem& item = freshen::Item(number);
        if (item.releaseVersion) expected[item.valueWritten] = expected["Purvex.exe"];
    }
    EXPECT_FALSE(expected.at("Purvex.exe").empty());
    EXPECT_FALSE(expected.at("Chronik.dll").empty());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(Installation::Close(first, frame), 0u);

    const std::string before = FileVersionOf(installation.Path("Purvex.exe"));
    ASSERT_TRUE(ChangeFileVersion(installation.Path("Purvex.exe"), std::wstring(before.begin(), before.end()),
                                  std::wstring(before.size(), L'9')));
    ASSERT_EQ(FileVersionOf(installation.Path("Purvex.exe")), std::string(before.size(), '9'));
    HANDLE second = installation.Start();
    frame = Installation::WaitForWindow(second, shell::kAppTitle);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(key.Values(), written);
    EXPECT_EQ(Installation::Close(second, frame), 0u);
}

TEST(ShellProcess, MissingEngineShowsItsMessageAndStartUpContinues) {
    pvtest::VersionKeySandbox key(pvtest::VersionKeySandbox::kAbsent);
    Installation installation(false);
    HANDLE process = installation.Start();
    // The message comes while the frame is created, before it is shown.
    HWND box = Installation::WaitForWindow(process, shell::kAppTitle);
    ASSERT_NE(box, nullptr);
    char className[32] = {};
    GetClassNameA(box, className, sizeof className);
    ASSERT_STREQ(className, "#32770");
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(text, shell::kMsgEngineMissing);
    // Answered by its own button, as a user would; so are the scan page's own
    // notices about the missing engine that follow.
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    HWND frame = nullptr;
    for (int tries = 0; tries < 1200 && !frame; ++tries) {  // up to a minute
        for (const char* title : {shell::kAppTitle, "Purvex"}) {
            for (HWND hwnd : pvtest::ProcessWindows(GetProcessId(process), title)) {
                GetClassNameA(hwnd, className, sizeof className);
                if (!IsWindowVisible(hwnd)) continue;
                if (lstrcmpA(className, "#32770") == 0 && GetDlgItem(hwnd, 0xFFFF))
                    SendMessageA(GetDlgItem(hwnd, IDOK), BM_CLICK, 0, 0);
                else if (lstrcmpA(title, shell::kAppTitle) == 0)
                    frame = hwnd;
            }
        }
        if (!frame) Sleep(50);
    }
    ASSERT_NE(frame, nullptr);
    const auto values = key.Values();
    EXPECT_EQ(values.count("Freshen.exe"), 1u) << "the last value written";
    EXPECT_EQ(values.count("Purvex.dll") ? values.at("Purvex.dll") : "missing", "");
    EXPECT_EQ(Installation::Close(process, frame), 0u);
}

// Started from another folder, the program works in its installation
// folder, and so does the updater it starts, whose ".\temp" is then never
// a "temp" of the user's beside the start folder.
TEST(ShellProcess, UpdateButtonStartsTheUpdaterAndTheWindowStays) {
    Installation installation;
    char startIn[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, startIn);
    HANDLE process = installation.Start(startIn);
    HWND frame = Installation::WaitForWindow(process, shell::kAppTitle);
    ASSERT_NE(frame, nullptr);
    HWND update = app_test::FindDescendant(frame, 1052);
    ASSERT_NE(update, nullptr);
    PostMessageA(update, BM_CLICK, 0, 0);
    const std::string marker = installation.Path("updater-ran.txt");
    for (int tries = 0; tries < 1200 && pvtest::ReadBytes(marker).empty(); ++tries) Sleep(50);
    EXPECT_TRUE(PathFileExistsA(marker.c_str()));
    EXPECT_TRUE(lstrcmpiA(pvtest::ReadBytes(marker).c_str(), installation.folder().c_str()) == 0)
        << "the updater's current folder: " << pvtest::ReadBytes(marker);
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_EQ(WaitForSingleObject(process, 0), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(Installation::Close(process, frame), 0u);
}
