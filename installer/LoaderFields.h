// The editable field in the first sectors of a loader file, by the type of
// its detection: the menu text of a Tessu.sys head (4), the preset menu of
// the Zavo loader (5) and one Grub2 parameter (6).
#pragma once

#include "framework/String.h"

#include <cstddef>

class IInstallerUi;
class CLangFile;

struct LoaderFieldLayout {
    size_t sectorBytes;  // bytes read and written back from the file's start
    size_t offset;
    size_t width;  // bytes the field may change
    int maxText;   // longest text the field takes (0: a number)
};

// False for the types without a field.
bool GetLoaderFieldLayout(int type, LoaderFieldLayout& layout);

// The field as the editor shows it; `sectors` holds layout.sectorBytes bytes.
CString ReadLoaderField(int type, const unsigned char* sectors);
// Stores the text into the field and nowhere else. False (sectors
// unchanged) when the text does not fit or is no number for type 6.
bool WriteLoaderField(int type, unsigned char* sectors, const CString& text);

// Whether WriteLoaderField takes the text for the type.
bool LoaderFieldAccepts(int type, const CString& text);

// Shows the field of the file in the editor and writes the sectors back
// when the user's text changed them; a text the field refuses is shown
// again until it is taken or cancelled. False, with a message (its text from
// `lang`), when the file cannot be opened, is shorter than its sectors or
// cannot be written.
BOOL EditLoaderParameters(LPCTSTR path, int type, IInstallerUi& ui, CLangFile* lang = NULL);
