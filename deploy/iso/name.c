/* ISO 9660 identifiers from file names, under the relaxed rules of every build. */
#include "iso.h"

#include <string.h>

void iso_free_iso_name(iso_entry *entry)
{
    if (entry->iso_name != entry->rr_name) iso_free(entry->iso_name);
    entry->iso_name = NULL;
}

/* The name of "." is one zero byte: its length is given, not counted. */
void iso_set_iso_name(iso_entry *entry, const char *name, int length)
{
    iso_free_iso_name(entry);
    if (entry->rr_name && strcmp(entry->rr_name, name) == 0) {
        entry->iso_name = entry->rr_name;
    } else {
        entry->iso_name = (char *)iso_alloc((size_t)length + 1);
        memcpy(entry->iso_name, name, (size_t)length);
    }
    entry->iso_name_len = length;
}

static int make_identifier(const char *name, iso_entry *entry, int is_dir, char *out);

/* Sets the identifier of the entry and returns its length. */
int iso_iso9660_file_length(const char *name, iso_entry *entry, int is_dir)
{
    if (entry->iso_name) return make_identifier(name, entry, is_dir, entry->iso_name);
    char room[ISO_NAME_ROOM];
    int n = make_identifier(name, entry, is_dir, room);
    iso_set_iso_name(entry, room, n);
    return n;
}

static int make_identifier(const char *name, iso_entry *entry, int is_dir, char *out)
{
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
