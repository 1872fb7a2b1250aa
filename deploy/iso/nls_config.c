/* Registry of the named character sets used for file names. */
#include "iso.h"

#include <string.h>

static char_set *registry;

int iso_charset_register(char_set *cs)
{
    if (!cs) return CS_NO_MAPPING;
    if (cs->next) return CS_BUSY;
    for (char_set *p = registry; p; p = p->next)
        if (p == cs) return CS_BUSY;
    cs->next = registry;
    registry = cs;
    return 0;
}

const char_set *iso_charset_load(const char *name)
{
    for (char_set *p = registry; p; p = p->next)
        if (strcmp(p->name, name) == 0) return p;
    return NULL;
}

/* ---- single byte sets with a table ---- */

static int latin1_to_bytes(const char_set *cs, unsigned code, unsigned char *out, int room)
{
    (void)cs;
    if (room < 1) return CS_TOO_SHORT;
    if (code == 0 || code > 0xFF || (code >= 0x80 && code <= 0x9F)) return CS_NO_MAPPING;
    out[0] = (unsigned char)code;
    return 1;
}

static int latin1_to_unicode(const char_set *cs, const unsigned char *in, int avail, unsigned *code)
{
    (void)cs;
    if (avail < 1) return CS_TOO_SHORT;
    if (in[0] == 0 || (in[0] >= 0x80 && in[0] <= 0x9F)) return CS_NO_MAPPING;
    *code = in[0];
    return 1;
}

static int identity_to_bytes(const char_set *cs, unsigned code, unsigned char *out, int room)
{
    (void)cs;
    if (room < 1) return CS_TOO_SHORT;
    if (code > 0xFF) return CS_NO_MAPPING;
    out[0] = (unsigned char)code;
    return 1;
}

static int identity_to_unicode(const char_set *cs, const unsigned char *in, int avail, unsigned *code)
{
    (void)cs;
    if (avail < 1) return CS_TOO_SHORT;
    *code = in[0];
    return 1;
}

/* ---- sets backed by the system's code-page tables ---- */

static int cp_to_bytes(const char_set *cs, unsigned code, unsigned char *out, int room)
{
    if (room < 1) return CS_TOO_SHORT;
    if (code == 0) return CS_NO_MAPPING;
    if (code < 0x80) {
        out[0] = (unsigned char)code;
        return 1;
    }
    return iso_plat_cp_from_unicode(cs->codepage, code, out, room);
}

static int cp_to_unicode(const char_set *cs, const unsigned char *in, int avail, unsigned *code)
{
    if (avail < 1) return CS_TOO_SHORT;
    if (in[0] < 0x80) {
        if (in[0] == 0) return CS_NO_MAPPING;
        *code = in[0];
        return 1;
    }
    int r = iso_plat_cp_to_unicode(cs->codepage, in, avail, code);
    return r;
}

/* GBK: a lead byte that forms no pair stands for itself, as one byte. */
static int gbk_to_unicode(const char_set *cs, const unsigned char *in, int avail, unsigned *code)
{
    if (avail < 1) return CS_TOO_SHORT;
    if (avail == 1 || in[0] < 0x80) {
        *code = in[0];
        return 1;
    }
    if (in[1] != 0) {
        unsigned u;
        int r = iso_plat_cp_to_unicode(cs->codepage, in, avail, &u);
        if (r == 2) {
            *code = u;
            return 2;
        }
        if (r == 1) {
            *code = u;
            return 1;
        }
    }
    *code = in[0];
    return 1;
}

static int sjis_to_bytes(const char_set *cs, unsigned code, unsigned char *out, int room)
{
    if (room < 1) return CS_TOO_SHORT;
    if (code >= 0xFF61 && code <= 0xFF9F) {
        out[0] = (unsigned char)(code - 0xFF61 + 0xA1);
        return 1;
    }
    return cp_to_bytes(cs, code, out, room);
}

/* ---- UTF-8 ---- */

static int utf8_to_bytes(const char_set *cs, unsigned code, unsigned char *out, int room)
{
    (void)cs;
    if (room < 1) return CS_TOO_SHORT;
    if (code < 0x80) {
        out[0] = (unsigned char)code;
        return 1;
    }
    int need = code < 0x800 ? 2 : 3;
    if (code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        out[0] = '?';
        return CS_NO_MAPPING;
    }
    if (room < need) return CS_TOO_SHORT;
    if (need == 2) {
        out[0] = (unsigned char)(0xC0 | (code >> 6));
        out[1] = (unsigned char)(0x80 | (code & 0x3F));
    } else {
        out[0] = (unsigned char)(0xE0 | (code >> 12));
        out[1] = (unsigned char)(0x80 | ((code >> 6) & 0x3F));
        out[2] = (unsigned char)(0x80 | (code & 0x3F));
    }
    return need;
}

static int utf8_to_unicode(const char_set *cs, const unsigned char *in, int avail, unsigned *code)
{
    (void)cs;
    if (avail < 1) return CS_TOO_SHORT;
    unsigned c = in[0];
    int need;
    unsigned min;
    if (c < 0x80) {
        *code = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        need = 2;
        c &= 0x1F;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        need = 3;
        c &= 0x0F;
        min = 0x800;
    } else {
        *code = '?';
        return CS_NO_MAPPING;
    }
    if (need > avail) {
        *code = '?';
        return CS_NO_MAPPING;
    }
    for (int i = 1; i < need; i++) {
        if ((in[i] & 0xC0) != 0x80) {
            *code = '?';
            return CS_NO_MAPPING;
        }
        c = (c << 6) | (in[i] & 0x3F);
    }
    if (c < min || (c >= 0xD800 && c <= 0xDFFF)) {
        *code = '?';
        return CS_NO_MAPPING;
    }
    *code = c;
    return need;
}

#define SET(n, tb, tu, cp)                  \
    {                                       \
        n, tb, tu, {0}, {0}, NULL, NULL, cp \
    }

static char_set set_latin1 = SET("iso8859-1", latin1_to_bytes, latin1_to_unicode, 0);
static char_set set_cp932 = SET("cp932", sjis_to_bytes, cp_to_unicode, 932);
static char_set set_cp936 = SET("cp936", cp_to_bytes, gbk_to_unicode, 936);
static char_set set_gb2312 = SET("gb2312", NULL, NULL, 936);
static char_set set_big5 = SET("big5", NULL, NULL, 950);
static char_set set_utf8 = SET("utf8", utf8_to_bytes, utf8_to_unicode, 0);
static char_set set_cp437 = SET("cp437", cp_to_bytes, cp_to_unicode, 437);
static char_set set_acp = SET("acp", cp_to_bytes, cp_to_unicode, 0);
static char_set set_windows[] = {
    SET("cp874", cp_to_bytes, cp_to_unicode, 874),
    SET("cp1250", cp_to_bytes, cp_to_unicode, 1250),
    SET("cp1251", cp_to_bytes, cp_to_unicode, 1251),
    SET("cp1252", cp_to_bytes, cp_to_unicode, 1252),
    SET("cp1253", cp_to_bytes, cp_to_unicode, 1253),
    SET("cp1254", cp_to_bytes, cp_to_unicode, 1254),
    SET("cp1255", cp_to_bytes, cp_to_unicode, 1255),
    SET("cp1256", cp_to_bytes, cp_to_unicode, 1256),
    SET("cp1257", cp_to_bytes, cp_to_unicode, 1257),
    SET("cp1258", cp_to_bytes, cp_to_unicode, 1258),
};
static char_set set_default = SET("default", identity_to_bytes, identity_to_unicode, 0);

const char_set *iso_charset_default(void) { return &set_default; }

static void fill_case_tables(char_set *cs)
{
    for (int i = 0; i < 256; i++) {
        cs->lower[i] = (unsigned char)((i >= 'A' && i <= 'Z') ? i + 32 : i);
        cs->upper[i] = (unsigned char)((i >= 'a' && i <= 'z') ? i - 32 : i);
    }
}

static int register_alias(char_set *alias, const char *of)
{
    const char_set *base = iso_charset_load(of);
    if (!base) return CS_NO_MAPPING;
    if (alias->next || alias == registry) return CS_BUSY;
    alias->to_bytes = base->to_bytes;
    alias->to_unicode = base->to_unicode;
    alias->codepage = base->codepage;
    memcpy(alias->lower, base->lower, 256);
    memcpy(alias->upper, base->upper, 256);
    return iso_charset_register(alias);
}

void iso_charset_register_all(void)
{
    char_set *tables[] = {&set_latin1, &set_cp932, &set_cp936};
    for (int i = 0; i < 3; i++) {
        if (!tables[i]->lower['A']) fill_case_tables(tables[i]);
        iso_charset_register(tables[i]);
    }
    register_alias(&set_gb2312, "cp936");
    register_alias(&set_big5, "cp950");
    for (int i = 0; i < 256; i++) set_utf8.lower[i] = set_utf8.upper[i] = (unsigned char)i;
    iso_charset_register(&set_utf8);
    if (!set_cp437.lower['A']) fill_case_tables(&set_cp437);
    iso_charset_register(&set_cp437);
    for (size_t i = 0; i < sizeof(set_windows) / sizeof(set_windows[0]); i++) {
        if (!set_windows[i].lower['A']) fill_case_tables(&set_windows[i]);
        iso_charset_register(&set_windows[i]);
    }
    fill_case_tables(&set_acp);
    iso_charset_register(&set_acp);
    fill_case_tables(&set_default);
}

char *iso_charset_list_names(void)
{
    size_t n = 1;
    for (char_set *p = registry; p; p = p->next) n += strlen(p->name) + 1;
    char *text = (char *)iso_alloc(n);
    char *q = text;
    for (char_set *p = registry; p; p = p->next) {
        size_t l = strlen(p->name);
        memcpy(q, p->name, l);
        q[l] = '\n';
        q += l + 1;
    }
    *q = 0;
    return text;
}

void iso_nls_reset(void) { set_utf8.lower[0] = 0; }
