// The installer's texts: from the language file when one is loaded (a key
// missing there gives an empty text), else the built-in Chinese texts (GBK).
#pragma once

#include "framework/String.h"

class CLangFile;

extern const char kTessumgrCaption[];

// The built-in text of a section's key; empty when there is none.
LPCTSTR BuiltinText(LPCTSTR section, LPCTSTR key);
CString InstallerText(CLangFile* lang, LPCTSTR section, LPCTSTR key);
// The text of a message box, by its English name.
CString PromptText(CLangFile* lang, LPCTSTR key);

// How the installing code asks and tells the user: the dialog shows message
// boxes and the menu edit dialog, tests answer from a script.
class IInstallerUi {
public:
    enum Style { STYLE_OK_INFO,
                 STYLE_YESNO_INFO,
                 STYLE_YESNO_QUESTION,
                 STYLE_OKCANCEL_QUESTION,
                 STYLE_OK_PLAIN };
    // The message box results they stand for (IDOK, IDCANCEL, IDYES, IDNO).
    enum Answer { ANSWER_OK = 1,
                  ANSWER_CANCEL = 2,
                  ANSWER_YES = 6,
                  ANSWER_NO = 7 };

    virtual ~IInstallerUi() {}
    virtual int Show(LPCTSTR text, LPCTSTR caption, Style style) = 0;
    // The menu edit dialog on `text`: the user's text, or empty after Cancel.
    // The dialog lets no text of more than maxLength characters through, nor
    // one the loader field of `fieldType` refuses.
    virtual CString EditText(const CString& text, int maxLength, int fieldType) = 0;
    // The analysed image or detected loader changed: the dialog shows its caption.
    virtual void OnInfoChanged() {}
    // The image field takes a new path.
    virtual void OnImagePathChanged(LPCTSTR) {}
};
