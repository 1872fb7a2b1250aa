// The boot media deployment wizard as the studio starts it: two pages in a
// wizard sheet, a third page kept for later steps, the message pump of the
// long jobs and the unique work folder name.
#pragma once

#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"

class CDepWizStep1 : public CPropertyPage {
public:
  CDepWizStep1();
  virtual ~CDepWizStep1();
  virtual BOOL OnSetActive() override;
};

class CDepWizStep2 : public CPropertyPage {
public:
  CDepWizStep2();
  virtual ~CDepWizStep2();
  virtual BOOL OnSetActive() override;

  // Handles every message waiting in this thread's queue, then returns.
  void PumpMessages();
  // A unique name in the temp folder ("KEL" prefix, every '.' turned into
  // '_'); the system creates an empty file of the unconverted name. Returns 1.
  static int MakeWorkFolderName(CString& name);
};

class CDepWizStep3 : public CPropertyPage {
public:
  CDepWizStep3();
  virtual ~CDepWizStep3();
};

class CDepWizard : public CPropertySheet {
public:
  CDepWizard(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage);
  virtual ~CDepWizard();
};
