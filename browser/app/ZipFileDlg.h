// The save dialog of a new image, with a box that asks to compress the
// image into a zip file.
#pragma once
#include "framework/Button.h"
#include "framework/FileDialog.h"

class CZipFileDlg : public CFileDialog {
public:
    // Overwrite prompt, hide read-only and sizing; a new name must be accepted,
    // so the file need not exist.
    static const DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    enum { IDC_COMPRESS_BOX = 6001 };

    CZipFileDlg(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, CWnd* pParent,
                BOOL bCompress, LPCTSTR lpszFilter);

    virtual void OnInitDone() override;
    virtual BOOL OnFileNameOK() override;

    BOOL m_bCompress;  // the box's state as the dialog closed with OK
    CButton m_compress;

    // Where the box goes in the dialog's client rectangle, by structure size.
    static CRect CheckBoxRect(const CRect& client, DWORD structSize);
};
