#include "browser/app/PelsysDoc.h"

#include "framework/FwRes.h"

IMPLEMENT_DYNCREATE(CPelsysDoc, CDocument)

BEGIN_MESSAGE_MAP(CPelsysDoc, CDocument)
    ON_COMMAND(ID_FILE_SAVE, &CPelsysDoc::OnFileSave)
END_MESSAGE_MAP()

CPelsysDoc::CPelsysDoc() {}

CPelsysDoc::~CPelsysDoc() {}

// The frame has read the image already; the file is not read again.
BOOL CPelsysDoc::OnOpenDocument(LPCTSTR)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// An image is only ever written by the save of a new image.
BOOL CPelsysDoc::OnSaveDocument(LPCTSTR)
{
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CPelsysDoc::OnFileSave() {}
