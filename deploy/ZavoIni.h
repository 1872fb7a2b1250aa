// The text of zavo.ini, the global configuration that Zavo.sys reads at boot,
// from the first wizard page's choices and a clock.
#pragma once

#include "framework/Framework.h"

#include <ctime>

struct ZavoIniChoices {
    int resolution;          // slider: 1 640 x 480, 2 800 x 600, 3 1024 x 768
    BOOL splash;             // boot screen check box
    CString defaultPackage;  // path of the default menu package; empty when none was chosen
    CString password;        // plain text, at most kMaxBootPassword bytes; empty for none
};

enum ZavoIniResult {
    ZAVOINI_OK = 0,
    ZAVOINI_NO_DEFAULT_MENU,
    ZAVOINI_PASSWORD_TOO_LONG,
};

const int kMaxBootPassword = 32;

// The vesa value of a slider position; other positions give "0x111".
LPCTSTR VesaModeOfResolution(int position);

// Builds the whole file text (header with the GMT time of `now`, settings
// block). The password is checked before it is hashed; on a refusal the
// text is left as it was.
ZavoIniResult BuildZavoIniText(const ZavoIniChoices& choices, time_t now, CString& text);
