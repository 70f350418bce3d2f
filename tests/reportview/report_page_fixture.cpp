#include "tests/reportview/report_page_fixture.h"

#include "tests/support/window_driver.h"

namespace report_test {

namespace {

constexpr int kBoxTextId = 0xFFFF;  // the text of a message box

HWND ReportDialog() { return pvtest::FindThreadDialogTitled("보 고 서"); }

// The system's save dialog over the report dialog.
HWND SaveDialog(HWND report) {
    return pvtest::FindThreadDialog([report](HWND dialog) {
        return dialog != report && GetWindow(dialog, GW_OWNER) == report && !GetDlgItem(dialog, kBoxTextId);
    });
}

// Nothing but the report dialog is up, and it takes input again.
bool ReportDialogAlone(HWND report) {
    return IsWindowEnabled(report) && !pvtest::FindThreadDialog([report](HWND d) { return d != report; });
}

}  // namespace

std::string Head(const std::string& date, const std::string& status) {
    return date + "\r\n애드웨어 검사\r\n로컬하드 디스크\r\n" + status;
}

ReportPage::ReportPage() {
    logRoot_ = sandbox_ / "PurvexLog";
    current_ = std::make_unique<pvtest::CurrentFolder>(sandbox_.path());
}

ReportPage::~ReportPage() {
    page_.reset();
    current_.reset();
}

std::string ReportPage::MakeLog(const std::string& name, const char* head, const char* report) {
    const std::string folder = LogPath(name);
    EXPECT_TRUE(pvtest::MakeFolders(folder));
    if (head != nullptr) {
        EXPECT_TRUE(pvtest::WriteBytes(folder + "\\head.txt", head));
    }
    if (report != nullptr) {
        EXPECT_TRUE(pvtest::WriteBytes(folder + "\\report.txt", report));
    }
    return folder;
}

void ReportPage::OpenPage() {
    page_.reset();  // one page at a time, as in the main window
    page_ = std::make_unique<pvtest::PageHost>(RUNTIME_CLASS(CReportView));
}

std::vector<std::string> ReportPage::Dates() const {
    std::vector<std::string> dates;
    for (int row = 0; row < List().Rows(); ++row) dates.push_back(List().Cell(row, 1));
    return dates;
}

std::string ReportPage::CurrentDirectory() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

pvtest::SeenMessageBox ReportPage::PressDelete() {
    pvtest::MessageBoxHook hook({IDOK});
    page_->Click(IDC_REPORT_DELETE);
    EXPECT_EQ(hook.seen().size(), 1u);
    return hook.seen().empty() ? pvtest::SeenMessageBox() : hook.seen()[0];
}

ShownReport ReportPage::OpenReport(int row) {
    ShownReport shown;
    pvtest::ModalSteps steps({[&] {
        HWND report = ReportDialog();
        if (report == nullptr) return false;
        shown.shown = true;
        shown.text = pvtest::WindowText(GetDlgItem(report, IDC_REPORT_TEXT));
        pvtest::PostClick(report, IDC_REPORT_CLOSE);
        return true;
    }});
    if (row >= 0) List().DoubleClick(row);
    else List().DoubleClickEmptySpace();
    return shown;
}

ShownReport ReportPage::RestoreFromReport(int row, std::vector<int> answers) {
    ShownReport shown;
    HWND report = nullptr;
    const size_t boxes = answers.size();
    pvtest::MessageBoxHook hook(std::move(answers));
    pvtest::ModalSteps steps({[&] {
                                  report = ReportDialog();
                                  if (report == nullptr) return false;
                                  shown.shown = true;
                                  shown.restoreShown = pvtest::IsShown(GetDlgItem(report, IDC_REPORT_RESTORE));
                                  if (shown.restoreShown) pvtest::PostClick(report, IDC_REPORT_RESTORE);
                                  return true;
                              },
                              [&] {
                                  if (hook.seen().size() < (shown.restoreShown ? boxes : 0) || !ReportDialogAlone(report))
                                      return false;
                                  pvtest::PostClick(report, IDC_REPORT_CLOSE);
                                  return true;
                              }});
    List().DoubleClick(row);
    EXPECT_TRUE(steps.done()) << "steps taken: " << steps.stepsTaken();
    shown.boxes = hook.seen();
    return shown;
}

ShownReport ReportPage::SaveReport(int row, const std::vector<std::string>& typedNames, std::vector<int> answers) {
    ShownReport shown;
    HWND report = nullptr;
    std::vector<pvtest::ModalSteps::Step> script;
    script.push_back([&] {
        report = ReportDialog();
        if (report == nullptr) return false;
        shown.shown = true;
        shown.text = pvtest::WindowText(GetDlgItem(report, IDC_REPORT_TEXT));
        pvtest::PostClick(report, IDC_REPORT_SAVE);
        return true;
    });
    for (const std::string& name : typedNames) {
        script.push_back([&, name] {
            HWND save = SaveDialog(report);
            if (save == nullptr || !IsWindowEnabled(save)) return false;
            pvtest::TypeFileName(save, name);
            pvtest::PostClick(save, IDOK);
            return true;
        });
    }
    // A Save that browsed into a folder, or whose overwrite question was
    // answered No, leaves the dialog up: cancel it then.
    script.push_back([&] {
        HWND save = SaveDialog(report);
        if (save != nullptr && IsWindowEnabled(save)) {
            directoryWhileSaving = CurrentDirectory();
            pvtest::PostClick(save, IDCANCEL);
            return true;
        }
        return save == nullptr && ReportDialogAlone(report);
    });
    script.push_back([&] {
        if (!ReportDialogAlone(report)) return false;
        pvtest::PostClick(report, IDC_REPORT_CLOSE);
        return true;
    });

    pvtest::MessageBoxHook hook(std::move(answers));
    pvtest::ModalSteps steps(std::move(script));
    List().DoubleClick(row);
    EXPECT_TRUE(steps.done()) << "steps taken: " << steps.stepsTaken();
    shown.boxes = hook.seen();
    return shown;
}

}  // namespace report_test
