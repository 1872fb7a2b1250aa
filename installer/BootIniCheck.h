// The entries of a boot.ini text, and the check that an update kept them.
#pragma once

#include <cstddef>
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

// The entries of [operating systems] under our key, compared without regard
// to case as the profile functions compare keys.
size_t CountOurEntries(const std::string& text, const std::string& ourKey);

// True when `after` holds every entry of `before` in the same order, with
// only [boot loader] timeout changed and the entries of our key (compared
// without regard to case) replaced by one with `ourValue` in [operating
// systems].
bool BootIniKeptEntries(const std::string& before, const std::string& after, const std::string& ourKey,
                        const std::string& ourValue);
