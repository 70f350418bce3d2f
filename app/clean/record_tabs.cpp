#include "app/clean/record_tabs.h"

#include "app/records/record_cleaners.h"
#include "app/shell_texts.h"
#include "ui/page_chrome.h"

namespace clean {

namespace {

constexpr RecordBox kWorkBoxes[] = {
    {IDC_WORK_VISIT_HISTORY, IDB_RECORD_VISIT_HISTORY, 260, 25, records::CleanVisitHistory},
    {IDC_WORK_RECENT_DOCS, IDB_RECORD_RECENT_DOCS, 260, 100, records::CleanRecentDocs},
    {IDC_WORK_RUN_MRU, IDB_RECORD_RUN_MRU, 300, 135, records::CleanRunMru},
    {IDC_WORK_TYPED_URLS, IDB_RECORD_TYPED_URLS, 300, 65, records::CleanTypedUrls},
};
constexpr RecordBox kAutoBoxes[] = {
    {IDC_AUTO_PLAYER_HISTORY, IDB_RECORD_PLAYER_HISTORY, 300, 125, records::CleanPlayerHistory},
    {IDC_AUTO_FORM_DATA, IDB_RECORD_FORM_DATA, 300, 55, records::CleanFormData},
    {IDC_AUTO_PASSWORDS, IDB_RECORD_PASSWORDS, 300, 95, records::CleanSavedPasswords},
};

// The tabs' shared picture, drawn while any box is ticked.
constexpr int kAnyTickedX = 380;
constexpr int kAnyTickedY = 135;

}  // namespace

const RecordTabKind kWorkRecords = {IDD_WORK_RECORD, kWorkBoxes, sizeof kWorkBoxes / sizeof kWorkBoxes[0]};
const RecordTabKind kAutoRecords = {IDD_AUTO_RECORD, kAutoBoxes, sizeof kAutoBoxes / sizeof kAutoBoxes[0]};

}  // namespace clean

BEGIN_MESSAGE_MAP(CRecordTabDlg, CCleanTabDlg)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CRecordTabDlg::CRecordTabDlg(const clean::RecordTabKind& kind) : CCleanTabDlg(kind.templateId), m_kind(kind) {}

clean::Outcome CRecordTabDlg::Start() {
    bool anyTicked = false;
    for (size_t i = 0; i < m_kind.boxCount; ++i)
        anyTicked = anyTicked || IsDlgButtonChecked(m_kind.boxes[i].box) == BST_CHECKED;
    if (!anyTicked) {
        MessageBox(clean::kMsgNoRecordChosen, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return clean::Outcome::kDone;
    }
    if (MessageBox(clean::kQuestionDeleteRecords, shell::kAppTitle, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return clean::Outcome::kDone;
    for (size_t i = 0; i < m_kind.boxCount; ++i)
        if (IsDlgButtonChecked(m_kind.boxes[i].box) == BST_CHECKED) m_kind.boxes[i].clean();
    Leave();
    MessageBox(clean::kMsgTaskDone, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return clean::Outcome::kDone;
}

void CRecordTabDlg::Leave() {
    for (size_t i = 0; i < m_kind.boxCount; ++i) ::CheckDlgButton(m_hWnd, m_kind.boxes[i].box, BST_UNCHECKED);
    Invalidate(TRUE);
}

// A tick or an untick changes the pictures: the whole tab is painted anew.
BOOL CRecordTabDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= IDC_WORK_VISIT_HISTORY && id <= IDC_AUTO_PLAYER_HISTORY) Invalidate(TRUE);
    return CCleanTabDlg::OnCommand(wParam, lParam);
}

void CRecordTabDlg::OnPaint() {
    CPaintDC dc(this);
    bool anyTicked = false;
    for (size_t i = 0; i < m_kind.boxCount; ++i) {
        const clean::RecordBox& box = m_kind.boxes[i];
        if (IsDlgButtonChecked(box.box) != BST_CHECKED) continue;
        anyTicked = true;
        ui::DrawPicture(dc, box.bitmap, box.x, box.y);
    }
    if (anyTicked) ui::DrawPicture(dc, IDB_RECORD_ANY_TICKED, clean::kAnyTickedX, clean::kAnyTickedY);
}
