// CFileDialog: the system's save dialog run modally over its owner, and
// the parts of the chosen path.
#include <gtest/gtest.h>
#include "framework/afxdlgs.h"
#include "tests/support/test_window.h"
#include "tests/support/sandbox.h"
#include "tests/support/window_driver.h"

#include <string>
#include <vector>

namespace {

struct PathCase {
    const char* path;
    const char* ext;
};

// Runs a save dialog owned by owner, types each name in turn and presses
// Save, then Cancel if the dialog is still up. Returns DoModal's result.
INT_PTR RunSaveDialog(CFileDialog& dialog, HWND owner, const std::vector<std::string>& names,
                      bool* ownerDisabled = nullptr) {
    auto fileDialog = [owner] {
        return pvtest::FindThreadDialog([owner](HWND d) { return GetWindow(d, GW_OWNER) == owner; });
    };
    std::vector<pvtest::ModalSteps::Step> script;
    for (const std::string& name : names) {
        script.push_back([=] {
            HWND d = fileDialog();
            if (d == nullptr) return false;
            if (ownerDisabled != nullptr) *ownerDisabled = !IsWindowEnabled(owner);
            pvtest::TypeFileName(d, name);
            pvtest::PostClick(d, IDOK);
            return true;
        });
    }
    script.push_back([=] {
        if (HWND d = fileDialog()) pvtest::PostClick(d, IDCANCEL);
        return true;
    });
    pvtest::ModalSteps steps(std::move(script));
    return dialog.DoModal();
}

}  // namespace

TEST(FileDialog, PathPartsStepOverMultibyteCharacters) {
    const PathCase cases[] = {
        {"C:\\보고서\\검사 결과.txt", "txt"},
        {"C:\\a.b\\name", ""},
        {"C:\\dir\\archive.tar.gz", "gz"},
        {"name.", ""},
        {"C:가나", ""},
        {"", ""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        CFileDialog dialog(FALSE, nullptr, c.path);
        EXPECT_STREQ(static_cast<LPCTSTR>(dialog.GetPathName()), c.path);
        EXPECT_STREQ(static_cast<LPCTSTR>(dialog.GetFileExt()), c.ext);
    }
}

TEST(FileDialog, FilterBarsBecomeTheSystemsSeparators) {
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY, "Text 문서 (*.txt)|*.txt|All|*.*||");
    const std::string expected("Text 문서 (*.txt)\0*.txt\0All\0*.*\0\0", 34);
    ASSERT_NE(dialog.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(std::string(dialog.m_ofn.lpstrFilter, expected.size()), expected);
    EXPECT_EQ(dialog.m_ofn.Flags, DWORD(OFN_HIDEREADONLY | OFN_EXPLORER));
    EXPECT_EQ(dialog.m_ofn.lpstrDefExt, nullptr);
}

TEST(FileDialog, SaveReturnsTheTypedPathWithTheDefaultExtensionAndCancelReturnsCancel) {
    pvtest::TempFolder folder("filedlg");
    pvtest::CurrentFolder stay(folder.path());  // the dialog may move the current folder
    pvtest::TestParent owner;
    owner.ShowWindow(SW_SHOW);
    CFileDialog dialog(FALSE, "txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Text (*.txt)|*.txt||", &owner);
    bool ownerDisabled = false;
    EXPECT_EQ(RunSaveDialog(dialog, owner.m_hWnd, {folder / "보고서"}, &ownerDisabled), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    EXPECT_STREQ(static_cast<LPCTSTR>(dialog.GetPathName()), (folder / "보고서.txt").c_str());
    EXPECT_STREQ(static_cast<LPCTSTR>(dialog.GetFileExt()), "txt");

    CFileDialog plain(FALSE, nullptr, nullptr, OFN_HIDEREADONLY, nullptr, &owner);
    EXPECT_EQ(RunSaveDialog(plain, owner.m_hWnd, {folder / "plain"}), IDOK);
    EXPECT_STREQ(static_cast<LPCTSTR>(plain.GetPathName()), (folder / "plain").c_str());
    EXPECT_STREQ(static_cast<LPCTSTR>(plain.GetFileExt()), "");

    CFileDialog cancelled(FALSE, nullptr, "start.txt", OFN_HIDEREADONLY, nullptr, &owner);
    EXPECT_EQ(RunSaveDialog(cancelled, owner.m_hWnd, {}), IDCANCEL);
    EXPECT_STREQ(static_cast<LPCTSTR>(cancelled.GetPathName()), "start.txt");
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}
