// The activity-record tab, "작업기록  정리" (template 224: the browser
// history, the typed addresses, the recent documents and the Run history),
// and the auto-record tab, "자동기록  정리" (template 236: the browser's form
// data, its saved passwords and the media player's recent files): one class,
// driven by the table of each tab's tick boxes and their cleaners. The host's
// start button, which reads "삭    제" on these tabs, runs the ticked
// cleaners after a question. A picture is painted beside every ticked box.
#pragma once
#include <windows.h>

#include <cstddef>

#include "app/clean/clean_resource.h"
#include "app/clean/clean_tab_dlg.h"

namespace clean {

// One tick box: its picture, drawn at its own size with its top left corner
// at (x, y) of the tab's client area while the box is ticked, and its cleaner
// (app/records/record_cleaners.h).
struct RecordBox {
    int box;
    UINT bitmap;
    int x, y;
    void (*clean)();
};

// A record tab: its template and its boxes in the order their cleaners run.
struct RecordTabKind {
    UINT templateId;
    const RecordBox* boxes;
    size_t boxCount;
};
extern const RecordTabKind kWorkRecords;
extern const RecordTabKind kAutoRecords;

}  // namespace clean

class CRecordTabDlg : public CCleanTabDlg {
public:
    explicit CRecordTabDlg(const clean::RecordTabKind& kind);

    // Reads the boxes; with none ticked says so; otherwise asks once and, on
    // Yes, runs the ticked cleaners, unticks the boxes and reports completion
    // (whatever the cleaners met). On No the boxes stay as they are.
    clean::Outcome Start() override;
    // Unticks every box; the pictures go with the ticks.
    void Leave() override;
    const char* StartText() const override { return clean::kCaptionDeleteRecords; }

protected:
    // A tick or an untick of a box changes the pictures.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    const clean::RecordTabKind& m_kind;
};
