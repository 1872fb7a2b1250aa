// An IInstallerUi that records what it is shown and answers from a script.
#pragma once

#include "installer/InstallerTexts.h"

#include <deque>
#include <string>
#include <vector>

namespace installer_test {
struct ScriptedUi : IInstallerUi {
    std::vector<std::string> shown;
    std::vector<Style> styles;
    std::deque<int> answers;        // IDOK when the script has run out
    std::deque<std::string> edits;  // "" (Cancel) when it has run out
    std::vector<std::string> editedFrom;

    int Show(LPCTSTR text, LPCTSTR, Style style) override
    {
        shown.push_back(text);
        styles.push_back(style);
        if (answers.empty())
            return ANSWER_OK;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    CString EditText(const CString& text, int maxLength, int) override
    {
        editedFrom.push_back(text.GetString());
        if (edits.empty())
            return CString();
        std::string e = edits.front();
        edits.pop_front();
        if (int(e.size()) > maxLength)
            return CString();  // the dialog lets no longer text through
        return e.c_str();
    }
};
}  // namespace installer_test
