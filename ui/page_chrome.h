// What every page and page dialog draws the same way: bitmap resources at
// their own size (the footer along the bottom edge, a heading, a picture),
// and the control colours of a white page.
#pragma once
#include <windows.h>

#include "framework/afxwin.h"

namespace ui {

// Draws bitmap resource id at its own size with its top left corner at
// (x, y). Returns its size; a bitmap that cannot be loaded draws nothing
// and measures (0, 0).
CSize DrawPicture(CDC& dc, UINT id, int x, int y);
// The same with the picture's bottom edge `above` pixels above the bottom of
// client, at x or, with kRightEdge, flush with the right edge.
constexpr int kRightEdge = -1;
CSize DrawPictureAtBottom(CDC& dc, UINT id, const CRect& client, int x, int above = 0);

// A page's answer to a control-colour request: NULL for edit controls and
// list boxes (the caller answers with its base class's colours), else
// background (white when NULL), with the text background made transparent.
HBRUSH PageControlBrush(CDC* dc, UINT ctlColor, HBRUSH background = nullptr);

}  // namespace ui
