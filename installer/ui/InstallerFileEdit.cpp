#include "installer/ui/InstallerFileEdit.h"

#include "installer/InstallerTexts.h"
#include "installer/LangFile.h"
#include "installer/ui/ButtonImage.h"

namespace {

// The language file's text, or the built-in one when it has none.
CString TipText(CLangFile *pLang, LPCTSTR key, LPCTSTR fallback)
{
    CString text = InstallerText(pLang, "Tool Tips", key);
    if (text.IsEmpty())
        text = BuiltinText("Tool Tips", key);
    return text.IsEmpty() ? CString(fallback) : text;
}

}  // namespace

FileEditTexts InstallerFileEditTexts(CLangFile *pLang)
{
    FileEditTexts texts;
    texts.strSeparator = TipText(pLang, "Separator", ";");
    texts.strFilter = TipText(pLang, "All Files", "*.*|*.*||");
    texts.strTitle = TipText(pLang, "File Dialog Title", "");
    texts.strOkCaption = TipText(pLang, "OK Button", "");
    texts.strButtonTip = TipText(pLang, "Button Tip", "");
    texts.bStatusLine = FALSE;
    return texts;
}

BOOL SetupInstallerFileEdit(CFileEditCtrl &edit, CLangFile *pLang, CVistaToolTipCtrl *pToolTip,
                            HICON hIcon, BOOL bOwned)
{
    edit.SetTexts(InstallerFileEditTexts(pLang));
    edit.SetButtonFace(RGB(244, 244, 244), FALSE);
    edit.SetToolTipCtrl(pToolTip);
    if (hIcon) {
        CButtonImage *pImage = new CButtonImage;
        if (!pImage->SetImage(hIcon, BIK_ICON | (bOwned ? BIK_OWNED : 0))) {
            delete pImage;
            return FALSE;
        }
        pImage->SetKeyColour(BI_KEY_CORNER);
        pImage->SetBaseBits(FEI_CENTER);
        edit.SetButtonImage(pImage);
    }
    edit.SetButtonWidth(26);
    return edit.ModifyFlags(0, FEF_BUTTONTIP | FEF_CLIENTTIP);
}
