// The entries of a boot.ini text, and the check that an update kept them.
#pragma once

#include <string>
#include <vector>

struct BootIniEntry {
    std::string section;  // lower case
    std::string key;      // blanks around it removed
    std::string value;    // blanks around it removed
};

// Every key line of the text, in order, under its section; comments,
// blank lines and section lines are not entries. A value may hold '='.
std::vector<BootIniEntry> ReadBootIniEntries(const std::string& text);

// True when `after` holds every entry of `before` in the same order, with
// only [boot loader] timeout and our own key (compared without regard to
// case) changed, and our key with `ourValue` in [operating systems].
bool BootIniKeptEntries(const std::string& before, const std::string& after, const std::string& ourKey,
                        const std::string& ourValue);
