// List header that shows a tick box or a sort arrow in its items, from one
// bitmap of 14-pixel images with magenta as the transparent colour.
#pragma once
#include "framework/afxcmn.h"

class CSortHeaderCtrl : public CHeaderCtrl {
public:
    // imageBitmap: the bitmap resource cut into the header's images. The main
    // program's bitmap 131 holds the four of Image; the report library's 1004
    // holds the two boxes.
    explicit CSortHeaderCtrl(UINT imageBitmap = kDefaultImages);

    enum Image { kUncheckedBox, kCheckedBox, kUpArrow, kDownArrow };

    static constexpr UINT kDefaultImages = 131;
    static constexpr int kImageWidth = 14;

    // Takes over the list's header window, gives it the image list and shows
    // image 0 in item 0. FALSE (after a debugger message) when the list has no
    // header to take over, e.g. a list that is not in report style.
    BOOL SubclassHeader(CHeaderCtrl* listHeader);
    // Shows image `image` in item `item`; nothing when the item does not exist.
    void SetHeaderImage(int item, int image);

    // The page repainted while a column divider is dragged (not owned).
    CWnd* m_pOwnerPage = nullptr;

protected:
    afx_msg void OnTrackChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_imageBitmap;
    CImageList m_imageList;
};
