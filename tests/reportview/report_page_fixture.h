// The reports page of Chronik.dll in the shared page host, over a sandbox
// folder made current (the page reads ".\PurvexLog\"), with the report
// dialog and the system's save dialog driven through their windows.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "reportview/chronik_resource.h"
#include "reportview/report_texts.h"
#include "reportview/report_view.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/page_host.h"
#include "tests/support/sandbox.h"

namespace report_test {

// head.txt as the scan page writes it: four lines, the last without a break.
std::string Head(const std::string& date, const std::string& status = "완  료");

// What the report dialog showed, and the boxes seen while it was up.
struct ShownReport {
    bool shown = false;
    std::string text;                             // control 1006
    bool restoreShown = false;                    // 복원, when the dialog opened
    std::vector<pvtest::SeenMessageBox> boxes;
};

class ReportPage : public ::testing::Test {
protected:
    ReportPage();
    ~ReportPage() override;

    // ".\PurvexLog\name" in the sandbox, with head.txt and report.txt when
    // given (nullptr: the file is not made).
    std::string MakeLog(const std::string& name, const char* head, const char* report = "report");
    std::string LogPath(const std::string& name) const { return logRoot_ + "\\" + name; }
    std::string SandboxPath(const std::string& name) const { return sandbox_ / name; }

    void OpenPage();
    pvtest::ListView List() const { return page_->List(IDC_REPORT_LIST); }
    // The date column of every row, top to bottom.
    std::vector<std::string> Dates() const;

    // Presses 삭 제; returns the one box it shows (answered with OK).
    pvtest::SeenMessageBox PressDelete();
    // Double-clicks the row (-1: the empty space below the rows) and closes
    // the report dialog with 닫  기 once read.
    ShownReport OpenReport(int row);
    // Double-clicks the row, presses 다른이름으로 저장, types fileName into the
    // save dialog and presses its Save button (a folder there is browsed
    // into, and fileName may hold several names: each is typed and saved in
    // turn); then closes the save dialog with Cancel if it is still up, and
    // the report dialog with 닫  기. answers go to the message boxes. The
    // current directory seen while the save dialog was up is kept in
    // directoryWhileSaving.
    ShownReport SaveReport(int row, const std::vector<std::string>& typedNames, std::vector<int> answers = {});
    // Double-clicks the row, presses 복원 if the dialog shows it, answers
    // the boxes with answers (one each) and closes the dialog with 닫  기.
    ShownReport RestoreFromReport(int row, std::vector<int> answers);

    static std::string CurrentDirectory();

    pvtest::TempFolder sandbox_{"reports"};
    std::string logRoot_;
    std::string directoryWhileSaving;
    std::unique_ptr<pvtest::PageHost> page_;

private:
    std::unique_ptr<pvtest::CurrentFolder> current_;
};

}  // namespace report_test
