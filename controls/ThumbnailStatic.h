// Shows a picture scaled to the control on white.
#pragma once
#include <windows.h>
#include "framework/Static.h"
#include "imaging/xImage.h"

class CThumbnailStatic : public CStatic {
public:
    CThumbnailStatic() {}
    // Copies a valid image and repaints; an invalid one is ignored.
    void SetImage(const CxImage& image);
    const CxImage& GetImage() const { return m_image; }
    void Draw(CDC* pDC);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CxImage m_image;
};
