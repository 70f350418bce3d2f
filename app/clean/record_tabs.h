// What the activity-record and auto-record tabs share: the pictures painted
// beside their ticked boxes, and the questions and the report around their
// delete command.
#pragma once
#include <windows.h>

#include <cstddef>

#include "framework/afxwin.h"

namespace clean {

// The picture of one tick box: drawn at its own size, with its top left
// corner at (x, y) of the tab's client area, while the box is ticked.
struct BoxPicture {
    int box;
    UINT bitmap;
    int x, y;
};

// Draws the picture of every ticked box of pictures and, when any of them is
// ticked, the tabs' shared picture (bitmap 287 at 380, 135). A bitmap that
// cannot be loaded is left out.
void PaintBoxPictures(CWnd& tab, CDC& dc, const BoxPicture* pictures, size_t count);

// The delete command's questions, after the tab has read its boxes. With
// nothing ticked it says so and answers false; otherwise it asks once and
// answers whether the user said Yes. Both boxes are owned by tab.
bool ConfirmRecordDeletion(CWnd& tab, bool anyTicked);
// The delete command's last word, after the cleaners ran (whatever they met).
void ReportRecordDeletion(CWnd& tab);

}  // namespace clean
