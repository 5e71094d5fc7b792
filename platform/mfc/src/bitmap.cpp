#include "afxwin.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    const AfxBitmapResource* resource = AfxFindBitmapResource(nIDResource);
    if (resource == nullptr) return FALSE;
    resource_ = *resource;
    loaded_ = true;
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    if (!loaded_ || pBitMap == nullptr) return 0;
    BITMAP info{};
    info.bmWidth = resource_.width;
    info.bmHeight = resource_.height;
    // Rows are padded to whole 16-bit words, as device-dependent bitmaps are.
    info.bmWidthBytes = ((resource_.width * resource_.bitsPerPixel + 15) / 16) * 2;
    info.bmPlanes = 1;
    info.bmBitsPixel = resource_.bitsPerPixel;
    *pBitMap = info;
    return static_cast<int>(sizeof(BITMAP));
}

BOOL CBitmap::DeleteObject()
{
    if (!loaded_) return FALSE;
    loaded_ = false;
    resource_ = AfxBitmapResource{};
    return TRUE;
}
