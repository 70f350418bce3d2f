#include "ui/sort_header_ctrl.h"

CSortHeaderCtrl::CSortHeaderCtrl(UINT imageBitmap) : m_imageBitmap(imageBitmap) {}

BEGIN_MESSAGE_MAP(CSortHeaderCtrl, CHeaderCtrl)
    ON_NOTIFY_REFLECT(HDN_BEGINTRACKA, OnTrackChange)
    ON_NOTIFY_REFLECT(HDN_BEGINTRACKW, OnTrackChange)
    ON_NOTIFY_REFLECT(HDN_ENDTRACKA, OnTrackChange)
    ON_NOTIFY_REFLECT(HDN_ENDTRACKW, OnTrackChange)
END_MESSAGE_MAP()

BOOL CSortHeaderCtrl::SubclassHeader(CHeaderCtrl* listHeader) {
    if (listHeader == nullptr || listHeader->m_hWnd == nullptr || !SubclassWindow(listHeader->m_hWnd)) {
        OutputDebugStringA("Unable to subclass existing header!\n");
        return FALSE;
    }
    m_imageList.Create(m_imageBitmap, kImageWidth, 1, RGB(255, 0, 255));
    SetImageList(&m_imageList);

    HDITEM item = {};
    item.mask = HDI_FORMAT;
    GetItem(0, &item);
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt |= HDF_IMAGE;
    item.iImage = 0;
    SetItem(0, &item);
    return TRUE;
}

void CSortHeaderCtrl::SetHeaderImage(int item, int image) {
    HDITEM header = {};
    header.mask = HDI_FORMAT | HDI_IMAGE;
    if (!GetItem(item, &header)) return;
    header.fmt |= HDF_IMAGE;
    header.iImage = image;
    SetItem(item, &header);
}

void CSortHeaderCtrl::OnTrackChange(NMHDR*, LRESULT* pResult) {
    // The page draws over the list's surroundings; keep it whole while columns move.
    if (m_pOwnerPage != nullptr && m_pOwnerPage->m_hWnd != nullptr) m_pOwnerPage->Invalidate(TRUE);
    *pResult = 0;
}
