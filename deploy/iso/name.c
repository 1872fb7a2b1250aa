/* ISO 9660 identifiers from file names, under the relaxed rules of every build. */
#include "iso.h"

#include <string.h>

/* Writes the identifier into entry->iso_name and returns its length. */
int iso_iso9660_file_length(const char *name, iso_entry *entry, int is_dir)
{
    char *out = entry->iso_name;
    if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) {
        out[0] = name[1] ? 1 : 0;
        out[1] = 0;
        entry->iso_name_len = 1;
        return 1;
    }
    const int limit = iso_opt.iso_name_max;
    size_t n = strlen(name);
    const char *dot = strrchr(name, '.');
    if (dot && (dot[1] == '~' || dot[1] == 0)) {
        const char *p = dot;
        while (p > name && p[-1] != '.') p--;
        if (p > name) dot = p - 1;
    }
    int ext_len = dot ? (int)(n - (size_t)(dot - name)) : 0;
    int before_max, after_max;
    if (is_dir) {
        before_max = limit;
        after_max = limit - 1;
    } else if (ext_len <= limit / 2 + 1) {
        before_max = limit - ext_len;
        after_max = ext_len;
    } else {
        before_max = limit / 2;
        after_max = ext_len;
    }
    int taken = 0, before = 0, after = 0, seen_dot = 0;
    for (const char *p = name; *p && taken < limit; p++) {
        unsigned char c = (unsigned char)*p;
        if (p == dot) {
            if (seen_dot) break;
            seen_dot = 1;
            out[taken++] = '.';
            continue;
        }
        if (!seen_dot) {
            if (before >= before_max) continue;
            before++;
        } else {
            if (after >= after_max) continue;
            after++;
        }
        if (c >= 0x80 || c == '/') c = '_';
        out[taken++] = (char)c;
    }
    out[taken] = 0;
    entry->iso_name_len = taken;
    if (entry->name_weight == 0) entry->name_weight = 32767;
    return taken;
}
