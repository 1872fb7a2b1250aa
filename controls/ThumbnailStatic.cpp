#include "controls/ThumbnailStatic.h"
#include "framework/PaintDC.h"

BEGIN_MESSAGE_MAP(CThumbnailStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CThumbnailStatic::SetImage(const CxImage& image)
{
    if (!image.IsValid())
        return;
    m_image.Copy(image);
    if (m_hWnd != NULL)
        Invalidate();
}

void CThumbnailStatic::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void CThumbnailStatic::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(255, 255, 255));
    if (!m_image.IsValid() || client.Width() <= 0 || client.Height() <= 0)
        return;
    // The held image becomes the thumbnail itself.
    RGBQUAD white = {255, 255, 255, 0};
    m_image.Thumbnail(client.Width(), client.Height(), white);
    m_image.Draw(pDC->GetSafeHdc(), client);
}
