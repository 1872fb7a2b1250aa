// Text rules of the installer's dialogs that need no window: the boot.ini
// path, the drive map's file-system words and the menu editor's line ends.
#pragma once

#include "framework/String.h"

#include <cstdint>

extern const char kDefaultBootIni[];

// "X:\" followed by at least one character, X a letter.
bool IsDriveRootedPath(const CString& path);
// The boot.ini of the setup key's BootDir when it names a drive root ("C:\"),
// else "C:\Boot.ini".
CString BootIniFromBootDir(const CString& bootDir);

// The file system of a partition type byte; `extended` and `unknown` are the
// words for an extended and an unrecognised partition.
CString FileSystemText(uint8_t type, const CString& extended, const CString& unknown);

// The rich edit's text (CR LF line ends) with the line ends of the field it
// was shown from: CR LF when the field held one, else LF.
CString EditorTextToField(const CString& edited, const CString& original);
// The field's text for the rich edit: every line end as CR LF.
CString FieldTextToEditor(const CString& field);
