#include "app/clean/record_tabs.h"

#include "app/clean/clean_resource.h"
#include "app/clean/clean_texts.h"
#include "app/shell_texts.h"

namespace clean {

namespace {

constexpr int kAnyTickedX = 380;
constexpr int kAnyTickedY = 135;

void DrawPicture(CDC& dc, CDC& memory, UINT bitmap, int x, int y) {
    CBitmap picture;
    if (!picture.LoadBitmap(bitmap)) return;
    BITMAP size = {};
    picture.GetBitmap(&size);
    CBitmap* old = memory.SelectObject(&picture);
    dc.BitBlt(x, y, size.bmWidth, size.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

}  // namespace

void PaintBoxPictures(CWnd& tab, CDC& dc, const BoxPicture* pictures, size_t count) {
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc)) return;
    bool anyTicked = false;
    for (size_t i = 0; i < count; ++i) {
        if (tab.IsDlgButtonChecked(pictures[i].box) != BST_CHECKED) continue;
        anyTicked = true;
        DrawPicture(dc, memory, pictures[i].bitmap, pictures[i].x, pictures[i].y);
    }
    if (anyTicked) DrawPicture(dc, memory, IDB_RECORD_ANY_TICKED, kAnyTickedX, kAnyTickedY);
}

bool ConfirmRecordDeletion(CWnd& tab, bool anyTicked) {
    if (!anyTicked) {
        tab.MessageBox(kMsgNoRecordChosen, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return tab.MessageBox(kQuestionDeleteRecords, shell::kAppTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ReportRecordDeletion(CWnd& tab) { tab.MessageBox(kMsgTaskDone, shell::kAppTitle, MB_OK | MB_ICONEXCLAMATION); }

}  // namespace clean
