#include "installer/BootIniCheck.h"

#include <cctype>

namespace {
std::string Trim(const std::string& s)
{
    size_t first = 0, last = s.size();
    while (first < last && (s[first] == ' ' || s[first] == '\t'))
        ++first;
    while (last > first && (s[last - 1] == ' ' || s[last - 1] == '\t' || s[last - 1] == '\r'))
        --last;
    return s.substr(first, last - first);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

bool IsOurs(const BootIniEntry& e, const std::string& ourKey)
{
    return e.section == "operating systems" && Lower(e.key) == Lower(ourKey);
}

bool IsTimeout(const BootIniEntry& e)
{
    return e.section == "boot loader" && Lower(e.key) == "timeout";
}
}  // namespace

std::vector<BootIniEntry> ReadBootIniEntries(const std::string& text)
{
    std::vector<BootIniEntry> entries;
    std::string section;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            section = Lower(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            continue;
        }
        const size_t eq = line.find('=');
        BootIniEntry e;
        e.section = section;
        e.key = Trim(line.substr(0, eq));
        e.value = eq == std::string::npos ? std::string() : Trim(line.substr(eq + 1));
        entries.push_back(e);
    }
    return entries;
}

size_t CountOurEntries(const std::string& text, const std::string& ourKey)
{
    size_t n = 0;
    for (const BootIniEntry& e : ReadBootIniEntries(text))
        n += IsOurs(e, ourKey) ? 1 : 0;
    return n;
}

bool BootIniKeptEntries(const std::string& before, const std::string& after, const std::string& ourKey,
                        const std::string& ourValue)
{
    const std::vector<BootIniEntry> old = ReadBootIniEntries(before), now = ReadBootIniEntries(after);
    size_t j = 0, ours = 0;
    bool ourValueFound = false;
    // entries of ours may stand anywhere in [operating systems]
    auto skipOurs = [&]() {
        for (; j < now.size() && IsOurs(now[j], ourKey); ++j) {
            ++ours;
            ourValueFound = now[j].value == ourValue;
        }
    };
    for (const BootIniEntry& o : old) {
        if (IsOurs(o, ourKey))
            continue;  // replaced by the new one
        skipOurs();
        if (j == now.size())
            return false;
        const BootIniEntry& n = now[j++];
        if (n.section != o.section || n.key != o.key)
            return false;
        if (n.value != o.value && !IsTimeout(o))
            return false;
    }
    skipOurs();
    return j == now.size() && ours == 1 && ourValueFound;
}
