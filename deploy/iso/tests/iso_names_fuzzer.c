/* Fuzzes the name mapping and character-set conversions with arbitrary names. */
#include "deploy/iso/iso.h"

#include <stdint.h>
#include <string.h>

int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int ready;
    if (!ready) {
        iso_reset_globals();
        iso_charset_register_all();
        ready = 1;
    }
    char name[301];
    size_t n = size < 300 ? size : 300;
    memcpy(name, data, n);
    name[n] = 0;
    iso_opt.iso_name_max = 193;
    iso_opt.joliet_name_max = 64;
    const char *sets[] = {"utf8", "cp936", "cp932", "iso8859-1", "cp437"};
    for (int i = 0; i < 5; i++) {
        iso_in_cs = iso_out_cs = iso_charset_load(sets[i]);
        if (!iso_in_cs) continue;
        char room[ISO_NAME_ROOM];
        iso_entry e;
        memset(&e, 0, sizeof(e));
        e.iso_name = room;
        int len = iso_iso9660_file_length(name, &e, size & 1);
        if (len < 0 || len > 193 || (int)strlen(e.iso_name) > len) __builtin_trap();
        unsigned char ucs[128];
        int bytes = 0;
        iso_to_joliet_ucs2(ucs, sizeof(ucs), name, iso_in_cs, &bytes);
        if (bytes > (int)sizeof(ucs) || (bytes & 1)) __builtin_trap();
        if (iso_joliet_name_bytes(name) > 128) __builtin_trap();
        char rr[512];
        int r = iso_convert_rr_name(name, rr, sizeof(rr), NULL);
        if (r < 0 || r > (int)sizeof(rr)) __builtin_trap();
    }
    if (n <= 48) iso_shell_match(name, "kelboot/zavo.ini");
    return 0;
}
