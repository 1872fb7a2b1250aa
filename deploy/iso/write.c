/* Image layout and output: regions, volume descriptors, path tables,
   directories and the file data (placement and copy). */
#include "iso.h"

#include <stdlib.h>
#include <string.h>

uint32_t iso_next_free_sector, iso_sectors_written;
time_t iso_build_start_time;
uint32_t iso_rr_byte_total, iso_dir_byte_total;
unsigned char iso_pvd_buffer[SECTOR_SIZE];
uint32_t iso_path_table_location[4];

static image_region *regions, *regions_tail;
static int path_index;
static unsigned char *path_l, *path_m;
static uint32_t path_sectors;
static unsigned char root_record[VD_ROOT_RECORD_SIZE];
static uint32_t memory_total;

/* The files whose data is written, in placement order and then in image order;
   the entries stay until their data is out. */
static iso_entry **pending;
static size_t pending_count, pending_room;
static int layout_done;

/* The source copy_file reads; after a fatal error iso_write_reset closes it. */
static int copy_source = -1;

static void close_copy_source(void)
{
    if (copy_source >= 0) iso_plat_close(copy_source);
    copy_source = -1;
}

void iso_write_reset(void)
{
    iso_next_free_sector = iso_sectors_written = 0;
    iso_build_start_time = 0;
    iso_rr_byte_total = iso_dir_byte_total = 0;
    regions = regions_tail = NULL;
    path_index = 1;
    path_l = path_m = NULL;
    path_sectors = 0;
    memory_total = 0;
    pending = NULL;
    pending_count = pending_room = 0;
    layout_done = 0;
    memset(iso_path_table_location, 0, sizeof(iso_path_table_location));
    close_copy_source();
}

/* ---- numbers ---- */

void iso_set_le16(unsigned char *p, unsigned v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}
void iso_set_be16(unsigned char *p, unsigned v)
{
    p[0] = (unsigned char)(v >> 8);
    p[1] = (unsigned char)v;
}
void iso_set_both16(unsigned char *p, unsigned v)
{
    iso_set_le16(p, v);
    iso_set_be16(p + 2, v);
}
void iso_set_le32(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}
void iso_set_be32(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)(v >> 24);
    p[1] = (unsigned char)(v >> 16);
    p[2] = (unsigned char)(v >> 8);
    p[3] = (unsigned char)v;
}
void iso_set_both32(unsigned char *p, uint32_t v)
{
    iso_set_le32(p, v);
    iso_set_be32(p + 4, v);
}
uint32_t iso_get_le32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24);
}

static uint32_t sectors_of(uint64_t bytes) { return (uint32_t)((bytes + SECTOR_SIZE - 1) / SECTOR_SIZE); }

void iso_format_ctime(char out[26], time_t t)
{
    static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    struct tm tm;
    iso_plat_local_time(t, &tm);
    snprintf(out, 26, "%s %s %2d %02d:%02d:%02d %04d\n", days[tm.tm_wday % 7], months[tm.tm_mon % 12],
             tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, (tm.tm_year + 1900) % 10000);
}

/* ---- regions ---- */

void iso_place_region(const image_region *templ)
{
    image_region *r = (image_region *)iso_alloc(sizeof(image_region));
    *r = *templ;
    r->next = NULL;
    if (regions_tail)
        regions_tail->next = r;
    else
        regions = r;
    regions_tail = r;
    if (layout_done) {
        /* placed after the layout pass: no planned first sector, sized at once */
        r->first_sector = 0;
        if (r->size_step) r->size_step(iso_next_free_sector);
    }
}

void iso_layout_regions(void)
{
    iso_next_free_sector = 0;
    for (image_region *r = regions; r; r = r->next) {
        r->first_sector = iso_next_free_sector;
        if (r->size_step) r->size_step(iso_next_free_sector);
    }
    layout_done = 1;
}

void iso_generate_regions(void)
{
    for (image_region *r = regions; r; r = r->next)
        if (r->generate_step) r->generate_step();
}

void iso_write_regions(FILE *out)
{
    for (image_region *r = regions; r; r = r->next) {
        if (r->first_sector && r->first_sector != iso_sectors_written)
            iso_message("Implementation botch: %s should start at %u but starts at %u.\n", r->name,
                        r->first_sector, iso_sectors_written);
        if (iso_opt.verbosity > 1) iso_message("Writing:   %-40sStart Block %u\n", r->name, iso_sectors_written);
        uint32_t before = iso_sectors_written;
        if (r->write_step) r->write_step(out);
        if (iso_opt.verbosity > 1) iso_message("Done with: %-40sBlock(s)    %d\n", r->name, (int)(iso_sectors_written - before));
    }
    if (iso_next_free_sector != iso_sectors_written)
        iso_message("Implementation botch: FS should end at %u but ends at %u.\n", iso_next_free_sector,
                    iso_sectors_written);
}

void iso_write_sectors(const void *buffer, size_t item, size_t count, FILE *out)
{
    const unsigned char *p = (const unsigned char *)buffer;
    size_t left = count;
    while (left > 0) {
        size_t got = fwrite(p, item, left, out);
        if (got < 1) {
            iso_message("cannot fwrite %d*%d\n", (int)item, (int)left);
            iso_fatal();
        }
        p += got * item;
        left -= got;
    }
    if (item == SECTOR_SIZE) iso_sectors_written += (uint32_t)count;
}

static void write_zero_sectors(FILE *out, uint32_t n)
{
    static const unsigned char zero[SECTOR_SIZE];
    for (uint32_t i = 0; i < n; i++) iso_write_sectors(zero, SECTOR_SIZE, 1, out);
}

/* ---- padding, descriptors, version block ---- */

static void padblock_size(uint32_t first)
{
    (void)first;
    iso_next_free_sector = 16;
}
static void padblock_write(FILE *out) { write_zero_sectors(out, 16 - (iso_sectors_written < 16 ? iso_sectors_written : 16)); }
const image_region iso_padblock_region = {NULL, padblock_size, NULL, padblock_write, "Initial Padblock", 0, 0};

static void one_sector(uint32_t first)
{
    (void)first;
    iso_next_free_sector++;
}

static void copy_text(unsigned char *field, int width, const char *text)
{
    memset(field, ' ', (size_t)width);
    if (!text) return;
    size_t n = strlen(text);
    memcpy(field, text, n < (size_t)width ? n : (size_t)width);
}

static void long_date(unsigned char *p, time_t t)
{
    struct tm tm;
    iso_plat_local_time(t, &tm);
    char buf[64];
    snprintf(buf, sizeof(buf), "%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d00", (tm.tm_year + 1900) % 10000,
             tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    memcpy(p, buf, 16);
    p[16] = (unsigned char)(signed char)iso_gmt_offset(t);
}

static void pvd_generate(void)
{
    memset(root_record, 0, sizeof(root_record));
    root_record[DR_LENGTH] = VD_ROOT_RECORD_SIZE;
    iso_set_both32(root_record + DR_EXTENT, iso_root->extent);
    iso_set_both32(root_record + DR_SIZE, sectors_of(iso_root->size) * SECTOR_SIZE);
    iso_recording_date(root_record + DR_DATE, iso_root_time);
    root_record[DR_FLAGS] = 2;
    iso_set_both16(root_record + DR_VOLSEQ, (unsigned)iso_opt.volume_sequence);
    root_record[DR_NAME_LEN] = 1;
}

static void build_pvd(int type)
{
    unsigned char *p = iso_pvd_buffer;
    memset(p, 0, SECTOR_SIZE);
    p[VD_TYPE] = (unsigned char)type;
    memcpy(p + VD_ID, "CD001", 5);
    p[VD_VERSION] = type == 2 && iso_opt.iso_level > 3 ? 2 : 1;
    copy_text(p + VD_SYSTEM_ID, 32, iso_opt.system_ident ? iso_opt.system_ident : "UNIX");
    copy_text(p + VD_VOLUME_ID, 32, iso_opt.volume_ident ? iso_opt.volume_ident : "CDROM");
    iso_set_both32(p + VD_SPACE_SIZE, iso_next_free_sector);
    iso_set_both16(p + VD_SET_SIZE, (unsigned)iso_opt.volume_set_count);
    iso_set_both16(p + VD_SEQUENCE, (unsigned)iso_opt.volume_sequence);
    iso_set_both16(p + VD_BLOCK_SIZE, SECTOR_SIZE);
    iso_set_both32(p + VD_PATH_TABLE_SIZE, iso_path_table_size);
    iso_set_le32(p + VD_L_PATH_TABLE, iso_path_table_location[0]);
    iso_set_le32(p + VD_L_PATH_TABLE_OPT, iso_path_table_location[1]);
    iso_set_be32(p + VD_M_PATH_TABLE, iso_path_table_location[2]);
    iso_set_be32(p + VD_M_PATH_TABLE_OPT, iso_path_table_location[3]);
    memcpy(p + VD_ROOT_RECORD, root_record, VD_ROOT_RECORD_SIZE);
    copy_text(p + VD_SET_ID, 128, iso_opt.volume_set_ident);
    copy_text(p + VD_PUBLISHER_ID, 128, iso_opt.publisher_ident);
    copy_text(p + VD_PREPARER_ID, 128, iso_opt.preparer_ident);
    copy_text(p + VD_APPLICATION_ID, 128, iso_opt.application_ident);
    copy_text(p + VD_COPYRIGHT_FILE, 37, iso_opt.copyright_ident);
    copy_text(p + VD_ABSTRACT_FILE, 37, iso_opt.abstract_ident);
    copy_text(p + VD_BIBLIO_FILE, 37, iso_opt.biblio_ident);
    long_date(p + VD_CREATED, iso_build_start_time);
    long_date(p + VD_MODIFIED, iso_build_start_time);
    /* never expires: digits "0" and a zero offset */
    memcpy(p + VD_EXPIRES, "0000000000000000", 16);
    p[VD_EXPIRES + 16] = 0;
    long_date(p + VD_EFFECTIVE, iso_build_start_time);
    p[VD_FILE_STRUCTURE] = 1;
    memset(p + VD_APPLICATION_USE, ' ', 512);
}

static void pvd_write(FILE *out)
{
    iso_build_start_time = time(NULL);
    build_pvd(1);
    iso_write_sectors(iso_pvd_buffer, SECTOR_SIZE, 1, out);
}
const image_region iso_pvd_region = {NULL, one_sector, pvd_generate, pvd_write, "Primary Volume Descriptor", 0, 0};

static void enhanced_write(FILE *out)
{
    unsigned char save[SECTOR_SIZE];
    memcpy(save, iso_pvd_buffer, SECTOR_SIZE);
    build_pvd(2);
    iso_pvd_buffer[VD_FILE_STRUCTURE] = 2;
    iso_write_sectors(iso_pvd_buffer, SECTOR_SIZE, 1, out);
    memcpy(iso_pvd_buffer, save, SECTOR_SIZE);
}
const image_region iso_enhanced_region = {NULL, one_sector, NULL, enhanced_write, "Enhanced Volume Descriptor", 0, 0};

static void torito_write(FILE *out) { iso_write_boot_record(out); }
const image_region iso_torito_region = {NULL, one_sector, NULL, torito_write, "Eltorito Volume Descriptor", 0, 0};

static void end_vd_write(FILE *out)
{
    unsigned char s[SECTOR_SIZE] = {0};
    s[0] = 255;
    memcpy(s + 1, "CD001", 5);
    s[6] = 1;
    iso_write_sectors(s, SECTOR_SIZE, 1, out);
}
const image_region iso_end_vd_region = {NULL, one_sector, NULL, end_vd_write, "End Volume Descriptor", 0, 0};

static void version_write(FILE *out)
{
    unsigned char s[SECTOR_SIZE] = {0};
    char date[26];
    iso_format_ctime(date, iso_build_start_time);
    snprintf((char *)s, 128, "ZGI %szavogi 1.22", date);
    iso_write_sectors(s, SECTOR_SIZE, 1, out);
}
const image_region iso_version_region = {NULL, one_sector, NULL, version_write, "Version block", 0, 0};

static void endpad_size(uint32_t first)
{
    (void)first;
    iso_next_free_sector += 150;
}
static void endpad_write(FILE *out) { write_zero_sectors(out, 150); }
const image_region iso_endpad_region = {NULL, endpad_size, NULL, endpad_write, "Ending Padblock", 0, 0};

/* ---- path tables ---- */

static uint32_t table_sectors(uint32_t bytes)
{
    uint32_t s = sectors_of(bytes);
    if (s == 0) s = 1;
    return (s + 1) & ~1u;
}

static void pathtable_size(uint32_t first)
{
    path_sectors = table_sectors(iso_path_table_size);
    iso_path_table_location[0] = first;
    iso_path_table_location[1] = 0;
    iso_path_table_location[2] = first + path_sectors;
    iso_path_table_location[3] = 0;
    iso_next_free_sector += 2 * path_sectors;
}

static int path_count;

static void collect_dirs(iso_directory *d, iso_directory **slots, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_iso) continue;
        if (d->path_index > 0 && d->path_index < path_count) slots[d->path_index] = d;
        if (d->subdir) collect_dirs(d->subdir, slots, 0);
    }
}

static int compare_path_dirs(const void *pa, const void *pb)
{
    const iso_directory *a = *(iso_directory *const *)pa, *b = *(iso_directory *const *)pb;
    if (a == iso_root) return -1;
    if (b == iso_root) return 1;
    if (a->parent->path_index != b->parent->path_index)
        return a->parent->path_index < b->parent->path_index ? -1 : 1;
    const unsigned char *x = (const unsigned char *)a->self->iso_name;
    const unsigned char *y = (const unsigned char *)b->self->iso_name;
    int lx = a->self->iso_name_len, ly = b->self->iso_name_len;
    int n = lx < ly ? lx : ly;
    int c = memcmp(x, y, (size_t)n);
    if (c) return c;
    return lx - ly;
}

static void pathtable_generate(void)
{
    path_l = (unsigned char *)iso_alloc((size_t)path_sectors * SECTOR_SIZE);
    path_m = (unsigned char *)iso_alloc((size_t)path_sectors * SECTOR_SIZE);
    path_count = path_index;
    iso_directory **slots = (iso_directory **)iso_alloc(sizeof(iso_directory *) * (size_t)(path_count + 1));
    collect_dirs(iso_root, slots, 1);
    int changed = 1;
    while (changed && path_count > 2) {
        qsort(slots + 1, (size_t)(path_count - 1), sizeof(slots[0]), compare_path_dirs);
        changed = 0;
        for (int i = 1; i < path_count; i++) {
            if (slots[i] && slots[i]->path_index != i) {
                slots[i]->path_index = i;
                changed = 1;
            }
        }
    }
    uint32_t len = 0;
    for (int i = 1; i < path_count; i++) {
        iso_directory *d = slots[i];
        if (!d) {
            iso_message("Entry %d not in path tables\n", i);
            iso_fatal();
        }
        if (!d->self && d != iso_root) {
            iso_message("Fatal ISO9660 goof - directory has amnesia\n");
            iso_fatal();
        }
        int nlen = d == iso_root ? 1 : d->self->iso_name_len;
        int parent = d->parent->path_index;
        if (parent > 65535) {
            iso_message("Unable to generate sane path tables - too many directories (%d)\n", parent);
            iso_fatal();
        }
        if (len + 8 + (uint32_t)nlen + 1 > path_sectors * SECTOR_SIZE) {
            iso_message("Path table lengths do not match %d expected: %d\n", (int)len, (int)iso_path_table_size);
            iso_fatal();
        }
        path_l[len] = path_m[len] = (unsigned char)nlen;
        iso_set_le32(path_l + len + 2, d->extent);
        iso_set_be32(path_m + len + 2, d->extent);
        iso_set_le16(path_l + len + 6, (unsigned)parent);
        iso_set_be16(path_m + len + 6, (unsigned)parent);
        if (d == iso_root)
            path_l[len + 8] = path_m[len + 8] = 0;
        else {
            memcpy(path_l + len + 8, d->self->iso_name, (size_t)nlen);
            memcpy(path_m + len + 8, d->self->iso_name, (size_t)nlen);
        }
        len += 8 + (uint32_t)nlen;
        if (len & 1) len++;
    }
    iso_free(slots);
    if (len != iso_path_table_size)
        iso_message("Path table lengths do not match %d expected: %d\n", (int)len, (int)iso_path_table_size);
}

static void pathtable_write(FILE *out)
{
    iso_write_sectors(path_l, SECTOR_SIZE, path_sectors, out);
    iso_write_sectors(path_m, SECTOR_SIZE, path_sectors, out);
    iso_free(path_l);
    iso_free(path_m);
    path_l = path_m = NULL;
}
const image_region iso_pathtable_region = {NULL, pathtable_size, pathtable_generate, pathtable_write, "Path table", 0, 0};

/* ---- directory order ---- */

static int iso_name_cmp(const iso_entry *a, const iso_entry *b)
{
    const unsigned char *x = (const unsigned char *)a->iso_name, *y = (const unsigned char *)b->iso_name;
    while (*x && *y) {
        if (*x != *y) {
            if (*x == ';') return -1;
            if (*y == ';') return 1;
            if (*x == '.') return -1;
            if (*y == '.') return 1;
            return *x < *y ? -1 : 1;
        }
        if (*x == ';') return 0;
        x++;
        y++;
    }
    if (*x) return 1;
    if (*y) return -1;
    return 0;
}

static int compare_entries(const void *pa, const void *pb)
{
    const iso_entry *a = *(iso_entry *const *)pa, *b = *(iso_entry *const *)pb;
    if (a->dot || b->dot) {
        if (a->dot && b->dot) return a->dot - b->dot;
        return a->dot ? -1 : 1;
    }
    int c = iso_name_cmp(a, b);
    if (c == 0) c = a < b ? -1 : (a > b ? 1 : 0);
    return c;
}

static const char *iso_name_of(const iso_entry *e) { return e->iso_name; }

static const char *(*name_of)(const iso_entry *);

static int by_name(const void *pa, const void *pb)
{
    return strcmp(name_of(*(iso_entry *const *)pa), name_of(*(iso_entry *const *)pb));
}

/* Reports every pair of entries (but "." and "..") of one name; returns their count. */
static int report_equal_names(iso_entry **entries, int n, const char *(*name)(const iso_entry *),
                              const char *tree)
{
    iso_entry **arr = (iso_entry **)iso_alloc(sizeof(iso_entry *) * (size_t)n);
    int m = 0, errors = 0;
    for (int i = 0; i < n; i++)
        if (!entries[i]->dot && name(entries[i])) arr[m++] = entries[i];
    name_of = name;
    qsort(arr, (size_t)m, sizeof(arr[0]), by_name);
    for (int i = 0; i + 1 < m; i++) {
        if (strcmp(name(arr[i]), name(arr[i + 1])) != 0) continue;
        iso_message("Error: '%s' and '%s' have the same %s name '%s'.\n", arr[i]->whole_name,
                    arr[i + 1]->whole_name, tree, name(arr[i]));
        errors++;
    }
    iso_free(arr);
    return errors;
}

int iso_order_directory(iso_entry **list, int reloc_dir)
{
    int n = 0;
    for (iso_entry *e = *list; e; e = e->next) n++;
    if (n == 0) return 0;
    iso_entry **arr = (iso_entry **)iso_alloc(sizeof(iso_entry *) * (size_t)n);
    int front = 0, back = n;
    for (iso_entry *e = *list; e; e = e->next) {
        if (e->hide_iso)
            arr[--back] = e;
        else
            arr[front++] = e;
        e->iso_name[e->iso_name_len] = 0;
    }
    /* the hidden ones were put at the back from the end: reverse order, as wanted */
    if (front < 2) {
        iso_message("Directory size too small (. or .. missing ?]\n");
        iso_free(arr);
        return 1;
    }
    qsort(arr, (size_t)front, sizeof(arr[0]), compare_entries);
    /* the sort need not compare two equal names: look for them on their own */
    int errors = report_equal_names(arr, front, iso_name_of, "ISO9660");
    if (iso_opt.rock_ridge && !reloc_dir) errors += report_equal_names(arr, front, iso_rr_image_name, "Rock Ridge");
    for (int i = 0; i + 1 < n; i++) arr[i]->next = arr[i + 1];
    arr[n - 1]->next = NULL;
    *list = arr[0];
    iso_free(arr);
    return errors;
}

/* ---- directory tree ---- */

static void assign_directories(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_iso) continue;
        d->path_index = path_index++;
        if (d->extent == 0) {
            d->extent = iso_next_free_sector;
            iso_next_free_sector += sectors_of(d->size);
            if (d->ce_bytes) iso_next_free_sector += sectors_of(d->ce_bytes);
        }
        if (d->subdir) assign_directories(d->subdir, 0);
    }
}

static void dirtree_size(uint32_t first)
{
    (void)first;
    assign_directories(iso_root, 1);
}

static void write_one_directory(iso_directory *d, FILE *out)
{
    uint32_t total = sectors_of(d->size) * SECTOR_SIZE;
    unsigned char *buf = (unsigned char *)iso_alloc(total ? total : SECTOR_SIZE);
    unsigned char *cbuf = NULL;
    uint32_t ce_total = sectors_of(d->ce_bytes) * SECTOR_SIZE;
    uint32_t ce_base = d->extent + sectors_of(d->size);
    if (d->ce_bytes) cbuf = (unsigned char *)iso_alloc(ce_total);
    uint32_t off = 0, coff = 0;
    for (iso_entry *e = d->contents; e; e = e->next) {
        if (e->hide_iso) continue;
        if ((off % SECTOR_SIZE) + (uint32_t)e->rec_len >= SECTOR_SIZE)
            off = (off + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE;
        unsigned char *r = buf + off;
        memcpy(r, e->rec, DR_FIXED);
        memcpy(r + DR_FIXED, e->iso_name, (size_t)e->iso_name_len);
        uint32_t p = DR_FIXED + (uint32_t)e->iso_name_len;
        if (p & 1) p++;
        if (e->rr) {
            if (e->rr_total > e->rr_in_record) {
                /* place every continuation area and point its CE entry at it */
                int seg_start = 0, seg_len = e->rr_in_record, next = e->rr_in_record;
                while (next < e->rr_total) {
                    int at = iso_walk_susp(e->rr + seg_start, seg_len, "CE");
                    if (at < 0) break;
                    unsigned char *ce = e->rr + seg_start + at;
                    uint32_t l = iso_get_le32(ce + 20);
                    if ((coff % SECTOR_SIZE) + l >= SECTOR_SIZE)
                        coff = (coff + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE;
                    if (coff + l > ce_total) {
                        iso_message("Continuation entry record length mismatch %d expected: %d.\n",
                                    (int)(coff + l), (int)d->ce_bytes);
                        iso_fatal();
                    }
                    iso_set_both32(ce + 4, ce_base + coff / SECTOR_SIZE);
                    iso_set_both32(ce + 12, coff % SECTOR_SIZE);
                    memcpy(cbuf + coff, e->rr + next, l);
                    coff += l;
                    if (coff & 1) coff++;
                    seg_start = next;
                    seg_len = (int)l;
                    next += (int)l;
                }
            }
            memcpy(r + p, e->rr, (size_t)e->rr_in_record);
            iso_rr_byte_total += (uint32_t)e->rr_total;
            p += (uint32_t)e->rr_in_record;
            if (p & 1) p++;
        }
        off += (uint32_t)e->rec_len;
    }
    if (off != d->size)
        iso_message("Unexpected directory length %lld expected: %d '%s'\n", (long long)off, (int)d->size,
                    d->whole_name);
    iso_write_sectors(buf, SECTOR_SIZE, sectors_of(d->size), out);
    iso_free(buf);
    if (cbuf) {
        if (coff != d->ce_bytes)
            iso_message("Continuation entry record length mismatch %d expected: %d.\n", (int)coff, (int)d->ce_bytes);
        iso_write_sectors(cbuf, SECTOR_SIZE, sectors_of(d->ce_bytes), out);
        iso_free(cbuf);
    }
}

static void write_directories(iso_directory *d, FILE *out, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_iso) continue;
        if (d->extent > 0) write_one_directory(d, out);
        if (d->subdir) write_directories(d->subdir, out, 0);
    }
}

static void dirtree_write(FILE *out) { write_directories(iso_root, out, 1); }
const image_region iso_dirtree_region = {NULL, dirtree_size, NULL, dirtree_write, "Directory tree", 0, 0};

static void clean_size(uint32_t first)
{
    (void)first;
    if (iso_opt.rock_ridge) iso_set_link_counts(iso_root);
}
/* The records are written: only what the file data needs is kept. */
static void drop_records(iso_directory *d)
{
    for (; d; d = d->next) {
        for (iso_entry *e = d->contents; e; e = e->next) {
            iso_free(e->rr);
            e->rr = NULL;
            iso_free(e->jname);
            e->jname = NULL;
        }
        if (d->subdir) drop_records(d->subdir);
        if (d == d->parent) break;
    }
}

static void clean_write(FILE *out)
{
    (void)out;
    drop_records(iso_root);
}
const image_region iso_dirtree_clean_region = {NULL, clean_size, NULL, clean_write, "Directory tree cleanup", 0, 0};

/* ---- extension record ---- */

static void extension_size(uint32_t first)
{
    iso_entry *dot = NULL;
    for (iso_entry *e = iso_root->contents; e; e = e->next)
        if (e->dot == 1) dot = e;
    if (dot && dot->rr) {
        int at = -1, p = 0;
        while (dot->rr_in_record - p >= 4 && dot->rr[p + 2]) {
            if (dot->rr[p] == 'C' && dot->rr[p + 1] == 'E') at = p;
            p += dot->rr[p + 2];
        }
        if (at >= 0) {
            iso_set_both32(dot->rr + at + 4, first);
            iso_set_both32(dot->rr + at + 12, 0);
            iso_set_both32(dot->rr + at + 20, (uint32_t)iso_rr_er_length);
        }
    }
    iso_next_free_sector++;
}
static void extension_write(FILE *out) { iso_write_sectors(iso_rr_er_record, SECTOR_SIZE, 1, out); }
const image_region iso_extension_region = {NULL, extension_size, NULL, extension_write, "Extension record", 0, 0};

/* ---- file data: placement ---- */

static void set_entry_extent(iso_entry *e, uint32_t sector, uint64_t size)
{
    e->first_sector = sector;
    iso_set_both32(e->rec + DR_EXTENT, sector);
    iso_set_both32(e->rec + DR_SIZE, (uint32_t)size);
}

static void add_pending(iso_entry *e)
{
    if (pending_count == pending_room) {
        size_t room = pending_room ? pending_room * 2 : 1024;
        iso_entry **grown = (iso_entry **)iso_alloc(sizeof(*grown) * room);
        if (pending_count) memcpy(grown, pending, sizeof(*grown) * pending_count);
        iso_free(pending);
        pending = grown;
        pending_room = room;
    }
    pending[pending_count++] = e;
}

static void place_entries(iso_directory *d)
{
    for (iso_entry *e = d->contents; e; e = e->next) {
        if (e->first_sector && !e->is_dir) continue;
        if (e->is_dir) {
            iso_directory *target = e->subdir;
            if (!target) {
                iso_message("Fatal goof - could not find dir entry for '%s'\n", e->whole_name);
                iso_fatal();
            }
            uint32_t bytes = sectors_of(target->size) * SECTOR_SIZE;
            e->size = bytes;
            set_entry_extent(e, target->extent, bytes);
            if (e->dot == 1) iso_dir_byte_total += bytes;
            continue;
        }
        iso_entry *same = iso_hash_find_file(e);
        if (same) {
            set_entry_extent(e, same->first_sector, same->size);
            if (e->sort_weight > same->sort_weight) same->sort_weight = e->sort_weight;
            e->sort_weight = -2147483647 - 1;
            e->sharing = 1;
            e->share_of = same;
            continue;
        }
        if (e->size > 0) {
            set_entry_extent(e, iso_next_free_sector, e->size);
            add_pending(e);
            iso_hash_add_file(e);
            iso_next_free_sector += sectors_of(e->size);
        } else {
            set_entry_extent(e, iso_next_free_sector, 0);
        }
    }
}

static void place_walk(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        place_entries(d);
        if (d->subdir) place_walk(d->subdir, 0);
    }
}

static int compare_pending(const void *pa, const void *pb)
{
    const iso_entry *a = *(iso_entry *const *)pa, *b = *(iso_entry *const *)pb;
    if (a->sort_weight != b->sort_weight) return a->sort_weight > b->sort_weight ? -1 : 1;
    if (a->first_sector != b->first_sector) return a->first_sector < b->first_sector ? -1 : 1;
    return 0;
}

static void fix_sharing(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        for (iso_entry *e = d->contents; e; e = e->next)
            if (e->sharing && e->share_of) set_entry_extent(e, e->share_of->first_sector, e->share_of->size);
        if (d->subdir) fix_sharing(d->subdir, 0);
    }
}

/* Empty files point past the file data, into the zero padding, so that no
   reader takes one for the boot catalog or another file. */
static void place_empty(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        for (iso_entry *e = d->contents; e; e = e->next)
            if (!e->is_dir && e->size == 0 && !e->sharing) set_entry_extent(e, iso_next_free_sector, 0);
        if (d->subdir) place_empty(d->subdir, 0);
    }
}

static void files_generate(void)
{
    place_walk(iso_root, 1);
    place_empty(iso_root, 1);
    if (!pending_count) return;
    uint32_t start = pending[0]->first_sector;
    qsort(pending, pending_count, sizeof(pending[0]), compare_pending);
    for (size_t i = 0; i < pending_count; i++) {
        set_entry_extent(pending[i], start, pending[i]->size);
        start += sectors_of(pending[i]->size);
    }
    fix_sharing(iso_root, 1);
}

/* ---- file data: copy ---- */

int iso_progress_text(char *out, size_t size, uint32_t written, uint32_t total)
{
    /* whole and hundredths from one truncated count: 88.999 % reads 88.99 */
    unsigned count = total ? (unsigned)((uint64_t)written * 10000u / total) : 0;
    snprintf(out, size, "%3u.%02u%%", count / 100, count % 100);
    return (int)(count / 100);
}

static void report_progress(uint32_t chunk_sectors)
{
    uint32_t step = iso_opt.gui_progress ? 500 : 5000;
    if (iso_sectors_written % step >= chunk_sectors || iso_next_free_sector == 0) return;
    double f = (double)iso_sectors_written / (double)iso_next_free_sector;
    time_t now = time(NULL);
    time_t end = iso_build_start_time + (time_t)((double)(now - iso_build_start_time) / f);
    char when[26];
    iso_format_ctime(when, end);
    char share[16];
    int whole = iso_progress_text(share, sizeof(share), iso_sectors_written, iso_next_free_sector);
    iso_message("%s done, estimate finish %s", share, when);
    iso_progress(whole);
}

static void copy_file(const iso_entry *w, FILE *out)
{
    static unsigned char buffer[256 * 1024];
    copy_source = iso_plat_open_read(w->whole_name);
    if (copy_source < 0) {
        iso_message("cannot open '%s': (%d)\n", w->whole_name, iso_plat_errno());
        iso_fatal();
    }
    uint64_t left = w->size;
    while (left > 0) {
        size_t want = left < sizeof(buffer) ? (size_t)left : sizeof(buffer);
        size_t whole = (want + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE;
        memset(buffer + want, 0, whole - want);
        size_t got = iso_plat_read(copy_source, buffer, want);
        if (got == 0) {
            iso_message("cannot read from '%s'\n", w->whole_name);
            iso_fatal();
        }
        /* zero padding would write a damaged copy as a good one */
        if (got < want) {
            iso_message("cannot read from '%s': the file got shorter while it was copied\n", w->whole_name);
            iso_fatal();
        }
        size_t n = whole / SECTOR_SIZE;
        iso_write_sectors(buffer, SECTOR_SIZE, n, out);
        left -= want;
        report_progress((uint32_t)n);
    }
    close_copy_source();
}

static void files_write(FILE *out)
{
    for (size_t i = 0; i < pending_count; i++) {
        iso_entry *w = pending[i];
        if (w->memory_data) {
            iso_write_sectors(w->memory_data, SECTOR_SIZE, sectors_of(w->size), out);
            memory_total += (uint32_t)w->size;
            iso_free(w->memory_data);
            w->memory_data = NULL;
        } else {
            copy_file(w, out);
        }
    }
    iso_free(pending);
    pending = NULL;
    pending_count = pending_room = 0;
    iso_free_directory_entries(iso_root);
    iso_hash_flush_files();
    iso_message("Total extents actually written = %u\n", iso_sectors_written);
    iso_message("Total translation table size: %u\n", memory_total);
    iso_message("Total rockridge attributes bytes: %u\n", iso_rr_byte_total);
    iso_message("Total directory bytes: %u\n", iso_dir_byte_total);
    iso_message("Path table size(bytes): %u\n", iso_path_table_size);
}
const image_region iso_files_region = {NULL, NULL, files_generate, files_write, "The File(s)", 0, 0};
