#include "deploy/DepWizard.h"

#include "framework/WinThread.h"
#include "resources/zavomgr/resource.h"

CDepWizStep1::CDepWizStep1() : CPropertyPage(IDD_DEPWIZ_STEP1) {}
CDepWizStep1::~CDepWizStep1() {}

BOOL CDepWizStep1::OnSetActive() {
  if (CPropertySheet* sheet = GetSheet()) sheet->SetWizardButtons(PSWIZB_NEXT);
  return CPropertyPage::OnSetActive();
}

CDepWizStep2::CDepWizStep2() : CPropertyPage(IDD_DEPWIZ_STEP2) {}
CDepWizStep2::~CDepWizStep2() {}

BOOL CDepWizStep2::OnSetActive() {
  if (CPropertySheet* sheet = GetSheet()) sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
  return CPropertyPage::OnSetActive();
}

void CDepWizStep2::PumpMessages() { AfxPumpWaitingMessages(m_hWnd); }

int CDepWizStep2::MakeWorkFolderName(CString& name) {
  char folder[MAX_PATH] = "", file[MAX_PATH] = "";
  DWORD n = ::GetTempPathA(MAX_PATH, folder);
  if (n == 0 || n >= MAX_PATH) folder[0] = '\0';
  ::GetTempFileNameA(folder, "KEL", 0, file);
  // only the file's own name: a '.' in the temp folder's path stays
  name = file;
  int slash = name.ReverseFind('\\');
  CString title = name.Mid(slash + 1);
  title.Replace('.', '_');
  name = name.Left(slash + 1) + title;
  return 1;
}

CDepWizStep3::CDepWizStep3() : CPropertyPage(IDD_DEPWIZ_STEP3) {}
CDepWizStep3::~CDepWizStep3() {}

CDepWizard::CDepWizard(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}

CDepWizard::~CDepWizard() {}
