/* The Joliet tree: UCS-2 names, order, unique names, path tables,
   directories and the supplementary volume descriptor. */
#include "iso.h"

#include <stdlib.h>
#include <string.h>

uint32_t iso_jpath_table_size;
uint32_t iso_jpath_table_location[4];

static int jdir_counter;
static int name_errors;
static unsigned char *jpath_l, *jpath_m;
static uint32_t jpath_sectors;
static iso_directory **jdirs;
static int jdir_count;

void iso_joliet_reset(void)
{
    jdir_counter = 1;
    name_errors = 0;
    jpath_l = jpath_m = NULL;
    jpath_sectors = 0;
    iso_jpath_table_size = 0;
    jdirs = NULL;
    jdir_count = 0;
    memset(iso_jpath_table_location, 0, sizeof(iso_jpath_table_location));
}

static int joliet_special(unsigned c)
{
    return c == '*' || c == '/' || c == ':' || c == ';' || c == '?' || c == '\\';
}

int iso_to_joliet_ucs2(unsigned char *out, int out_size, const char *source, const char_set *cs,
                       int *length_out)
{
    char copy[1024];
    if (!source) {
        int n = out_size < (int)sizeof(copy) - 1 ? out_size : (int)sizeof(copy) - 1;
        memcpy(copy, out, (size_t)n);
        copy[n] = 0;
        source = copy;
    }
    memset(out, 0, (size_t)out_size);
    const unsigned char *s = (const unsigned char *)source;
    int len = (int)strlen(source), i = 0, o = 0;
    while (i < len && o + 2 <= out_size) {
        unsigned code;
        int used;
        if (joliet_special(s[i])) {
            code = '_';
            used = 1;
        } else {
            used = cs->to_unicode(cs, s + i, len - i, &code);
            if (used < 1) {
                code = '_';
                used = 1;
            }
        }
        out[o] = (unsigned char)(code >> 8);
        out[o + 1] = (unsigned char)code;
        o += 2;
        i += used;
    }
    if (length_out) *length_out = o;
    return i;
}

int iso_convert_charset(const unsigned char *in, unsigned char *out, int in_len, int *out_len,
                        const char_set *from, const char_set *to)
{
    unsigned code;
    int used = from->to_unicode(from, in, in_len, &code);
    if (used < 1) {
        out[0] = '_';
        *out_len = 1;
        return 1;
    }
    int n = to->to_bytes(to, code, out, 8);
    if (n < 1) {
        out[0] = '_';
        *out_len = 1;
        return used;
    }
    *out_len = n;
    return used;
}

/* Whole UCS-2 form of a name (up to 255 characters). */
static int full_ucs2(const char *name, uint16_t *out)
{
    unsigned char buf[2 * 255] = {0};
    int bytes = 0;
    iso_to_joliet_ucs2(buf, (int)sizeof(buf), name, iso_in_cs, &bytes);
    int n = bytes / 2;
    for (int i = 0; i < n; i++) out[i] = (uint16_t)((buf[2 * i] << 8) | buf[2 * i + 1]);
    return n;
}

static int blank_or_dot(uint16_t c) { return c == ' ' || c == '.'; }

/* A name within max characters with tag (ASCII, may be empty) before its
   extension. A cut name keeps an extension of up to a quarter of the limit
   and its base never ends in a blank or a dot. Returns the length. */
static int fit_joliet(const uint16_t *full, int len, int max, const char *tag, uint16_t *out)
{
    int tl = (int)strlen(tag);
    if (tl == 0 && len <= max) {
        memcpy(out, full, sizeof(uint16_t) * (size_t)len);
        return len;
    }
    int dot = -1;
    for (int i = len - 1; i > 0; i--)
        if (full[i] == '.') {
            dot = i;
            break;
        }
    int ext_len = dot >= 0 ? len - dot : 0;
    if (ext_len > max / 4) ext_len = 0, dot = -1;
    int base = dot >= 0 ? dot : len;
    if (base > max - ext_len - tl) base = max - ext_len - tl;
    if (base < 0) base = 0;
    int kept = base;
    while (kept > 0 && blank_or_dot(full[kept - 1])) kept--;
    if (kept == 0 && tl == 0) kept = base < 1 ? 1 : base;
    int m = 0;
    for (int i = 0; i < kept; i++) out[m++] = full[i];
    for (int i = 0; i < tl; i++) out[m++] = (uint16_t)tag[i];
    for (int i = 0; i < ext_len; i++) out[m++] = full[dot + i];
    return m;
}

/* The UCS-2 form of the entry's name, cut to the Joliet limit. A name whose
   characters are its own bytes (most are) is read from rr_name, not kept. */
static void make_joliet_name(iso_entry *e)
{
    uint16_t full[255], cut[255];
    int max = iso_opt.joliet_name_max < 255 ? iso_opt.joliet_name_max : 255;
    int n = fit_joliet(full, full_ucs2(e->rr_name, full), max, "", cut);
    int narrow = (int)strlen(e->rr_name) == n;
    for (int i = 0; narrow && i < n; i++) narrow = cut[i] == (unsigned char)e->rr_name[i];
    e->jname_len = (short)n;
    if (narrow) {
        e->jname_narrow = 1;
        return;
    }
    e->jname = (uint16_t *)iso_alloc(sizeof(uint16_t) * (size_t)(n + 1));
    memcpy(e->jname, cut, sizeof(uint16_t) * (size_t)n);
}

static uint16_t jchar(const iso_entry *e, int i)
{
    return e->jname_narrow ? (uint16_t)(unsigned char)e->rr_name[i] : e->jname[i];
}

int iso_joliet_name_bytes(const char *name)
{
    unsigned char buf[2 * 255];
    int bytes = 0;
    int room = 2 * iso_opt.joliet_name_max;
    if (room > (int)sizeof(buf)) room = (int)sizeof(buf);
    iso_to_joliet_ucs2(buf, room, name, iso_in_cs, &bytes);
    return bytes;
}

static int jcompare_names(const iso_entry *a, const iso_entry *b)
{
    int n = a->jname_len < b->jname_len ? a->jname_len : b->jname_len;
    for (int i = 0; i < n; i++) {
        uint16_t x = jchar(a, i), y = jchar(b, i);
        if (x == y) {
            if (x == ';') return 0;
            continue;
        }
        if (x == ';') return -1;
        if (y == ';') return 1;
        return x < y ? -1 : 1;
    }
    return a->jname_len - b->jname_len;
}

static int jcompare_entries(const void *pa, const void *pb)
{
    const iso_entry *a = *(iso_entry *const *)pa, *b = *(iso_entry *const *)pb;
    if (a->dot || b->dot) {
        if (a->dot && b->dot) return a->dot - b->dot;
        return a->dot ? -1 : 1;
    }
    int c = jcompare_names(a, b);
    if (c == 0) c = a < b ? -1 : (a > b ? 1 : 0);
    return c;
}

static int jname_taken(iso_entry **arr, int n, const uint16_t *name, int len)
{
    for (int i = 0; i < n; i++) {
        if (arr[i]->jname_len != len) continue;
        int c = 0;
        while (c < len && jchar(arr[i], c) == name[c]) c++;
        if (c == len) return 1;
    }
    return 0;
}

/* Two names that agree in their first characters up to the limit: give the
   second a distinct name, "base~N.ext" within the limit. */
static int rename_joliet(iso_entry **arr, int n, iso_entry *e)
{
    uint16_t full[255], cand[255];
    int max = iso_opt.joliet_name_max < 255 ? iso_opt.joliet_name_max : 255;
    int len = full_ucs2(e->rr_name, full);
    for (int k = 1; k < 1000000; k++) {
        char tag[16];
        snprintf(tag, sizeof(tag), "~%d", k);
        int m = fit_joliet(full, len, max, tag, cand);
        if (!jname_taken(arr, n, cand, m)) {
            iso_free(e->jname);
            e->jname_narrow = 0;
            e->jname = (uint16_t *)iso_alloc(sizeof(uint16_t) * (size_t)(m + 1));
            memcpy(e->jname, cand, sizeof(uint16_t) * (size_t)m);
            e->jname_len = (short)m;
            return 0;
        }
    }
    return 1;
}

static int record_length(const iso_entry *e)
{
    if (e->dot) return 34;
    int len = 33 + 2 * e->jname_len;
    return len + (len & 1);
}

static int order_and_size(iso_directory *d)
{
    int n = 0;
    for (iso_entry *e = d->contents; e; e = e->next)
        if (!e->hide_joliet) n++;
    if (n == 0) return 0;
    iso_entry **arr = (iso_entry **)iso_alloc(sizeof(iso_entry *) * (size_t)n);
    int k = 0;
    for (iso_entry *e = d->contents; e; e = e->next) {
        if (e->hide_joliet) continue;
        if (!e->dot && !e->jname && !e->jname_narrow) make_joliet_name(e);
        arr[k++] = e;
    }
    int errors = 0;
    qsort(arr, (size_t)n, sizeof(arr[0]), jcompare_entries);
    /* sorted, names cut alike are neighbours: all but the first of a run are renamed */
    iso_entry *first = NULL;
    for (int i = 0; i < n; i++) {
        if (arr[i]->dot) continue;
        if (!first || jcompare_names(arr[i], first) != 0) {
            first = arr[i];
            continue;
        }
        if (rename_joliet(arr, n, arr[i])) {
            iso_message("Error: %s and %s have the same Joliet name\n", first->whole_name, arr[i]->whole_name);
            errors++;
        }
    }
    if (errors == 0) qsort(arr, (size_t)n, sizeof(arr[0]), jcompare_entries);
    /* keep the Joliet order in a side list: the ISO order of contents stays */
    uint32_t size = 0;
    for (int i = 0; i < n; i++) {
        arr[i]->joliet_rec_len = record_length(arr[i]);
        if ((size % SECTOR_SIZE) + (uint32_t)arr[i]->joliet_rec_len >= SECTOR_SIZE)
            size = (size + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE;
        size += (uint32_t)arr[i]->joliet_rec_len;
    }
    d->joliet_size = size;
    iso_free(arr);
    return errors;
}

static int order_walk(iso_directory *d, int is_root)
{
    int errors = 0;
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        errors += order_and_size(d);
        if (d->subdir) errors += order_walk(d->subdir, 0);
    }
    return errors;
}

int iso_joliet_order_tree(iso_directory *r)
{
    name_errors = order_walk(r, 1);
    return name_errors;
}

/* Entries in Joliet order, for the writer. */
static iso_entry **sorted_entries(iso_directory *d, int *count)
{
    int n = 0;
    for (iso_entry *e = d->contents; e; e = e->next)
        if (!e->hide_joliet) n++;
    iso_entry **arr = (iso_entry **)iso_alloc(sizeof(iso_entry *) * (size_t)(n ? n : 1));
    int k = 0;
    for (iso_entry *e = d->contents; e; e = e->next)
        if (!e->hide_joliet) arr[k++] = e;
    qsort(arr, (size_t)n, sizeof(arr[0]), jcompare_entries);
    *count = n;
    return arr;
}

/* ---- directory numbering and places ---- */

static void number_walk(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        d->joliet_path_index = jdir_counter++;
        if (d->joliet_extent == 0) {
            d->joliet_extent = iso_next_free_sector;
            iso_next_free_sector += (d->joliet_size + SECTOR_SIZE - 1) / SECTOR_SIZE;
        }
        if (d->subdir) number_walk(d->subdir, 0);
    }
}

static void jdirtree_size(uint32_t first)
{
    (void)first;
    number_walk(iso_root, 1);
}

static uint32_t table_sectors(uint32_t bytes)
{
    uint32_t s = (bytes + SECTOR_SIZE - 1) / SECTOR_SIZE;
    if (s == 0) s = 1;
    return (s + 1) & ~1u;
}

static void jpath_size_walk(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        int nlen = d == iso_root ? 1 : 2 * d->self->jname_len;
        iso_jpath_table_size += 8 + (uint32_t)nlen;
        if (iso_jpath_table_size & 1) iso_jpath_table_size++;
        if (d->subdir) jpath_size_walk(d->subdir, 0);
    }
}

static void jpathtable_size(uint32_t first)
{
    iso_jpath_table_size = 0;
    jpath_size_walk(iso_root, 1);
    jpath_sectors = table_sectors(iso_jpath_table_size);
    iso_jpath_table_location[0] = first;
    iso_jpath_table_location[2] = first + jpath_sectors;
    iso_next_free_sector += 2 * jpath_sectors;
}

static void collect_jdirs(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        if (d->joliet_path_index > 0 && d->joliet_path_index < jdir_count) jdirs[d->joliet_path_index] = d;
        if (d->subdir) collect_jdirs(d->subdir, 0);
    }
}

static int jcompare_path(const void *pa, const void *pb)
{
    const iso_directory *a = *(iso_directory *const *)pa, *b = *(iso_directory *const *)pb;
    if (a == iso_root) return -1;
    if (b == iso_root) return 1;
    if (a->parent->joliet_path_index != b->parent->joliet_path_index)
        return a->parent->joliet_path_index < b->parent->joliet_path_index ? -1 : 1;
    return jcompare_names(a->self, b->self);
}

static void jpathtable_generate(void)
{
    jpath_l = (unsigned char *)iso_alloc((size_t)jpath_sectors * SECTOR_SIZE);
    jpath_m = (unsigned char *)iso_alloc((size_t)jpath_sectors * SECTOR_SIZE);
    jdir_count = jdir_counter;
    jdirs = (iso_directory **)iso_alloc(sizeof(iso_directory *) * (size_t)(jdir_count + 1));
    collect_jdirs(iso_root, 1);
    int changed = 1;
    while (changed && jdir_count > 2) {
        qsort(jdirs + 1, (size_t)(jdir_count - 1), sizeof(jdirs[0]), jcompare_path);
        changed = 0;
        for (int i = 1; i < jdir_count; i++)
            if (jdirs[i] && jdirs[i]->joliet_path_index != i) {
                jdirs[i]->joliet_path_index = i;
                changed = 1;
            }
    }
    uint32_t len = 0;
    for (int i = 1; i < jdir_count; i++) {
        iso_directory *d = jdirs[i];
        if (!d) {
            iso_message("Entry %d not in path tables\n", i);
            iso_fatal();
        }
        if (d != iso_root && !d->self) {
            iso_message("Fatal Joliet goof - directory has amnesia\n");
            iso_fatal();
        }
        int nlen = d == iso_root ? 1 : 2 * d->self->jname_len;
        int parent = d->parent->joliet_path_index;
        if (parent > 65535) {
            iso_message("Unable to generate sane path tables - too many directories (%d)\n", parent);
            iso_fatal();
        }
        jpath_l[len] = jpath_m[len] = (unsigned char)nlen;
        iso_set_le32(jpath_l + len + 2, d->joliet_extent);
        iso_set_be32(jpath_m + len + 2, d->joliet_extent);
        iso_set_le16(jpath_l + len + 6, (unsigned)parent);
        iso_set_be16(jpath_m + len + 6, (unsigned)parent);
        if (d != iso_root)
            for (int c = 0; c < d->self->jname_len; c++) {
                iso_set_be16(jpath_l + len + 8 + 2 * c, jchar(d->self, c));
                iso_set_be16(jpath_m + len + 8 + 2 * c, jchar(d->self, c));
            }
        len += 8 + (uint32_t)nlen;
        if (len & 1) len++;
    }
    iso_free(jdirs);
    jdirs = NULL;
    if (len != iso_jpath_table_size)
        iso_message("Joliet path table lengths do not match %d expected: %d\n", (int)len, (int)iso_jpath_table_size);
}

static void jpathtable_write(FILE *out)
{
    iso_write_sectors(jpath_l, SECTOR_SIZE, jpath_sectors, out);
    iso_write_sectors(jpath_m, SECTOR_SIZE, jpath_sectors, out);
    iso_free(jpath_l);
    iso_free(jpath_m);
    jpath_l = jpath_m = NULL;
}
const image_region iso_jpathtable_region = {NULL, jpathtable_size, jpathtable_generate, jpathtable_write,
                                            "Joliet path table", 0, 0};

/* ---- directories ---- */

static void write_jdir(iso_directory *d, FILE *out)
{
    uint32_t sectors = (d->joliet_size + SECTOR_SIZE - 1) / SECTOR_SIZE;
    unsigned char *buf = (unsigned char *)iso_alloc((size_t)(sectors ? sectors : 1) * SECTOR_SIZE);
    int n;
    iso_entry **arr = sorted_entries(d, &n);
    uint32_t off = 0;
    for (int i = 0; i < n; i++) {
        iso_entry *e = arr[i];
        int len = e->joliet_rec_len;
        if ((off % SECTOR_SIZE) + (uint32_t)len >= SECTOR_SIZE)
            off = (off + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE;
        unsigned char *r = buf + off;
        memcpy(r, e->rec, DR_FIXED);
        r[DR_LENGTH] = (unsigned char)len;
        if (e->is_dir) {
            iso_directory *t = e->dot == 1 ? d : e->dot == 2 ? d->parent
                                                             : e->subdir;
            if (!t) {
                iso_message("Fatal goof - unable to find directory location\n");
                iso_fatal();
            }
            uint32_t bytes = (t->joliet_size + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE;
            iso_set_both32(r + DR_EXTENT, t->joliet_extent);
            iso_set_both32(r + DR_SIZE, bytes);
        }
        if (e->dot) {
            r[DR_NAME_LEN] = 1;
            r[DR_FIXED] = e->dot == 1 ? 0 : 1;
        } else {
            r[DR_NAME_LEN] = (unsigned char)(2 * e->jname_len);
            for (int c = 0; c < e->jname_len; c++) iso_set_be16(r + DR_FIXED + 2 * c, jchar(e, c));
        }
        off += (uint32_t)len;
    }
    if (off != d->joliet_size)
        iso_message("Unexpected joliet directory length %d expected: %d '%s'\n", (int)off, (int)d->joliet_size,
                    d->whole_name);
    iso_free(arr);
    iso_write_sectors(buf, SECTOR_SIZE, sectors, out);
    iso_free(buf);
}

static void jdir_walk(iso_directory *d, FILE *out, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        write_jdir(d, out);
        if (d->subdir) jdir_walk(d->subdir, out, 0);
    }
}

static void jdirtree_write(FILE *out) { jdir_walk(iso_root, out, 1); }
const image_region iso_jdirtree_region = {NULL, jdirtree_size, NULL, jdirtree_write, "Joliet directory tree", 0, 0};

/* ---- descriptor ---- */

static void ucs2_field(unsigned char *field, int width, const char *text)
{
    if (width <= 0 || width > 128) return;
    memset(field, 0, (size_t)width);
    for (int i = 0; i + 1 < width; i += 2) iso_set_be16(field + i, ' ');
    if (!text) return;
    int bytes;
    unsigned char tmp[256];
    int w = width & ~1;
    iso_to_joliet_ucs2(tmp, w, text, iso_in_cs, &bytes);
    memcpy(field, tmp, (size_t)bytes);
}

static void trim_copy(char *out, const unsigned char *field, int width)
{
    memcpy(out, field, (size_t)width);
    out[width] = 0;
    for (int i = width - 1; i >= 0 && out[i] == ' '; i--) out[i] = 0;
}

static void joliet_vd_write(FILE *out)
{
    unsigned char s[SECTOR_SIZE];
    memcpy(s, iso_pvd_buffer, SECTOR_SIZE);
    s[VD_TYPE] = 2;
    s[VD_ESCAPES] = '%';
    s[VD_ESCAPES + 1] = '/';
    s[VD_ESCAPES + 2] = iso_opt.joliet_ucs_level == 1 ? '@' : iso_opt.joliet_ucs_level == 2 ? 'C'
                                                                                            : 'E';
    iso_set_both32(s + VD_PATH_TABLE_SIZE, iso_jpath_table_size);
    iso_set_le32(s + VD_L_PATH_TABLE, iso_jpath_table_location[0]);
    iso_set_le32(s + VD_L_PATH_TABLE_OPT, 0);
    iso_set_be32(s + VD_M_PATH_TABLE, iso_jpath_table_location[2]);
    iso_set_be32(s + VD_M_PATH_TABLE_OPT, 0);
    unsigned char *r = s + VD_ROOT_RECORD;
    memset(r, 0, VD_ROOT_RECORD_SIZE);
    r[DR_LENGTH] = VD_ROOT_RECORD_SIZE;
    iso_set_both32(r + DR_EXTENT, iso_root->joliet_extent);
    iso_set_both32(r + DR_SIZE, (iso_root->joliet_size + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE);
    iso_recording_date(r + DR_DATE, iso_root_time);
    r[DR_FLAGS] = 2;
    iso_set_both16(r + DR_VOLSEQ, (unsigned)iso_opt.volume_sequence);
    r[DR_NAME_LEN] = 1;
    static const struct {
        int at, width;
    } fields[] = {
        {VD_SYSTEM_ID, 32}, {VD_SET_ID, 128}, {VD_PUBLISHER_ID, 128}, {VD_PREPARER_ID, 128}, {VD_APPLICATION_ID, 128}, {VD_COPYRIGHT_FILE, 37}, {VD_ABSTRACT_FILE, 37}, {VD_BIBLIO_FILE, 37}};
    char text[130];
    ucs2_field(s + VD_VOLUME_ID, 32, iso_opt.volume_ident);
    for (size_t i = 0; i < sizeof(fields) / sizeof(fields[0]); i++) {
        trim_copy(text, iso_pvd_buffer + fields[i].at, fields[i].width);
        ucs2_field(s + fields[i].at, fields[i].width, text);
    }
    iso_write_sectors(s, SECTOR_SIZE, 1, out);
}

static void one_sector(uint32_t first)
{
    (void)first;
    iso_next_free_sector++;
}
const image_region iso_joliet_vd_region = {NULL, one_sector, NULL, joliet_vd_write, "Joliet Volume Descriptor", 0, 0};
