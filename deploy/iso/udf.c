/* UDF 1.02 bridge structures beside the ISO-9660 tree (off as the studio
   drives the builder). */
#include "iso.h"

#include <string.h>

static uint32_t main_seq, reserve_seq, integ_seq, anchor_block, file_set_block, partition_start,
    end_anchor_block;
static uint32_t dir_count, file_count, unique_id;
static uint32_t volset_words[2];
static uint16_t crc_table[256];
static int crc_ready;

void iso_udf_reset(void)
{
    main_seq = reserve_seq = integ_seq = anchor_block = file_set_block = partition_start = 0;
    end_anchor_block = dir_count = file_count = 0;
    unique_id = 16;
    volset_words[0] = volset_words[1] = 0;
}

static uint16_t crc16(const unsigned char *p, size_t n)
{
    if (!crc_ready) {
        for (unsigned i = 0; i < 256; i++) {
            unsigned c = i << 8;
            for (int k = 0; k < 8; k++) c = (c & 0x8000) ? (c << 1) ^ 0x1021 : c << 1;
            crc_table[i] = (uint16_t)c;
        }
        crc_ready = 1;
    }
    uint16_t crc = 0;
    while (n--) crc = (uint16_t)((crc << 8) ^ crc_table[((crc >> 8) ^ *p++) & 0xFF]);
    return crc;
}

static void set_tag(unsigned char *d, unsigned id, uint32_t location, size_t length)
{
    iso_set_le16(d, id);
    iso_set_le16(d + 2, 2);
    d[5] = 0;
    iso_set_le16(d + 6, 0);
    iso_set_le16(d + 8, crc16(d + 16, length - 16));
    iso_set_le16(d + 10, (unsigned)(length - 16));
    iso_set_le32(d + 12, location);
    unsigned sum = 0;
    for (int i = 0; i < 16; i++)
        if (i != 4) sum += d[i];
    d[4] = (unsigned char)sum;
}

/* OSTA compressed Unicode; returns the bytes written. */
static int osta_string(unsigned char *out, int room, const char *text)
{
    unsigned char ucs[1024];
    int bytes = 0;
    int limit = room - 1 < (int)sizeof(ucs) ? room - 1 : (int)sizeof(ucs);
    if (limit < 0 || !text) return 0;
    iso_to_joliet_ucs2(ucs, 2 * (limit / 1) > 1024 ? 1024 : 2 * limit, text, iso_in_cs, &bytes);
    int wide = 0;
    for (int i = 0; i < bytes; i += 2)
        if (ucs[i]) wide = 1;
    if (wide) {
        int n = bytes < limit ? bytes : limit & ~1;
        out[0] = 16;
        memcpy(out + 1, ucs, (size_t)n);
        return n + 1;
    }
    int n = bytes / 2 < limit ? bytes / 2 : limit;
    out[0] = 8;
    for (int i = 0; i < n; i++) out[1 + i] = ucs[2 * i + 1];
    return n + 1;
}

static void dstring(unsigned char *field, int width, const char *text)
{
    memset(field, 0, (size_t)width);
    int n = osta_string(field, width - 1, text);
    field[width - 1] = (unsigned char)n;
}

static void regid(unsigned char *p, const char *id, int udf_suffix)
{
    memset(p, 0, 32);
    memcpy(p + 1, id, strlen(id));
    if (udf_suffix) iso_set_le16(p + 24, 0x0102);
}

static void charspec(unsigned char *p)
{
    memset(p, 0, 64);
    memcpy(p + 1, "OSTA Compressed Unicode", 23);
}

static void timestamp(unsigned char *p, time_t t)
{
    unsigned char d[7];
    iso_recording_date(d, t);
    int minutes = (signed char)d[6] * 15;
    iso_set_le16(p, (1u << 12) | ((unsigned)minutes & 0xFFF));
    iso_set_le16(p + 2, 1900u + d[0]);
    p[4] = d[1];
    p[5] = d[2];
    p[6] = d[3];
    p[7] = d[4];
    p[8] = d[5];
    p[9] = p[10] = p[11] = 0;
}

static void long_ad(unsigned char *p, uint32_t length, uint32_t block)
{
    memset(p, 0, 16);
    iso_set_le32(p, length);
    iso_set_le32(p + 4, block);
}

static void write_block(unsigned char *b, FILE *out) { iso_write_sectors(b, SECTOR_SIZE, 1, out); }
static void zero_blocks(FILE *out, uint32_t n)
{
    static const unsigned char z[SECTOR_SIZE];
    while (n--) iso_write_sectors(z, SECTOR_SIZE, 1, out);
}

static uint32_t blocks_of(uint32_t bytes) { return (bytes + SECTOR_SIZE - 1) / SECTOR_SIZE; }

/* ---- tree walks ---- */

static uint32_t fid_length(const char *name)
{
    unsigned char tmp[600];
    int n = name ? osta_string(tmp, 512 + 1, name) : 0;
    return (38u + (uint32_t)n + 3u) & ~3u;
}

static int udf_visible(const iso_entry *e) { return !e->hide_joliet && !e->dot; }

static void size_dirs(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        uint32_t size = fid_length(NULL);
        for (iso_entry *e = d->contents; e; e = e->next)
            if (udf_visible(e)) size += fid_length(e->rr_name);
        d->udf_data_size = size;
        d->udf_icb = iso_next_free_sector;
        iso_next_free_sector += 1 + blocks_of(size);
        dir_count++;
        if (d->subdir) size_dirs(d->subdir, 0);
    }
}

static void size_files(iso_directory *d, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        for (iso_entry *e = d->contents; e; e = e->next)
            if (udf_visible(e) && !e->is_dir) {
                e->udf_icb = iso_next_free_sector++;
                file_count++;
            }
        if (d->subdir) size_files(d->subdir, 0);
    }
}

static void file_entry(FILE *out, uint32_t block, int is_dir, uint64_t length, uint32_t data_block,
                       unsigned links, time_t t)
{
    unsigned char b[SECTOR_SIZE] = {0};
    b[16 + 4] = 4; /* strategy */
    iso_set_le16(b + 16 + 8, 1);
    b[16 + 11] = is_dir ? 4 : 5;
    iso_set_le16(b + 16 + 18, 560);
    iso_set_le32(b + 36, iso_opt.uid_set ? iso_opt.uid : 0xFFFFFFFFu);
    iso_set_le32(b + 40, iso_opt.gid_set ? iso_opt.gid : 0xFFFFFFFFu);
    iso_set_le32(b + 44, is_dir ? 5285 : 4228);
    iso_set_le16(b + 48, links);
    iso_set_le32(b + 56, (uint32_t)length);
    iso_set_le32(b + 60, (uint32_t)(length >> 32));
    iso_set_le32(b + 64, blocks_of((uint32_t)length));
    timestamp(b + 72, t);
    timestamp(b + 84, t);
    timestamp(b + 96, t);
    iso_set_le32(b + 108, 1);
    regid(b + 128, "*tarquel", 0);
    iso_set_le32(b + 160, unique_id++);
    uint32_t ad = 0;
    uint64_t left = length;
    uint32_t pos = data_block - partition_start;
    while (left > 0 && 176 + ad + 8 <= SECTOR_SIZE) {
        uint32_t piece = left > 0x3FFFF800u ? 0x3FFFF800u : (uint32_t)left;
        iso_set_le32(b + 176 + ad, piece);
        iso_set_le32(b + 176 + ad + 4, pos);
        pos += blocks_of(piece);
        left -= piece;
        ad += 8;
    }
    iso_set_le32(b + 172, ad);
    set_tag(b, 261, block - partition_start, 176 + ad);
    write_block(b, out);
}

static uint32_t put_fid(unsigned char *p, uint32_t at_block, int characteristics, const char *name,
                        uint32_t icb)
{
    uint32_t len = fid_length(name);
    iso_set_le16(p + 16, 1);
    p[18] = (unsigned char)characteristics;
    int n = name ? osta_string(p + 38, 512 + 1, name) : 0;
    p[19] = (unsigned char)n;
    long_ad(p + 20, SECTOR_SIZE, icb - partition_start);
    set_tag(p, 257, at_block - partition_start, len);
    return len;
}

static void write_dirs(iso_directory *d, FILE *out, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        unsigned links = 1;
        for (iso_directory *s = d->subdir; s; s = s->next)
            if (!s->hide_joliet) links++;
        file_entry(out, d->udf_icb, 1, d->udf_data_size, d->udf_icb + 1, links, d->mtime ? d->mtime : iso_root_time);
        uint32_t nb = blocks_of(d->udf_data_size);
        unsigned char *buf = (unsigned char *)iso_alloc((size_t)(nb ? nb : 1) * SECTOR_SIZE);
        uint32_t off = put_fid(buf, d->udf_icb + 1, 8, NULL, d->parent->udf_icb);
        for (iso_entry *e = d->contents; e; e = e->next) {
            if (!udf_visible(e)) continue;
            uint32_t icb = e->is_dir ? (e->subdir ? e->subdir->udf_icb : 0) : e->udf_icb;
            if (e->is_dir && !e->subdir) iso_message("Unable to locate relocated directory\n");
            off += put_fid(buf + off, d->udf_icb + 1 + off / SECTOR_SIZE, e->is_dir ? 2 : 0, e->rr_name, icb);
        }
        iso_write_sectors(buf, SECTOR_SIZE, nb, out);
        iso_free(buf);
        if (d->subdir) write_dirs(d->subdir, out, 0);
    }
}

static void write_files(iso_directory *d, FILE *out, int is_root)
{
    for (; d; d = is_root ? NULL : d->next) {
        if (d->hide_joliet) continue;
        for (iso_entry *e = d->contents; e; e = e->next)
            if (udf_visible(e) && !e->is_dir)
                file_entry(out, e->udf_icb, 0, e->size, e->first_sector, 1, e->st.mtime);
        if (d->subdir) write_files(d->subdir, out, 0);
    }
}

/* ---- regions ---- */

static void vrs_size(uint32_t f)
{
    (void)f;
    iso_next_free_sector += 3;
}
static void vrs_write(FILE *out)
{
    static const char *const ids[] = {"BEA01", "NSR02", "TEA01"};
    for (int i = 0; i < 3; i++) {
        unsigned char b[SECTOR_SIZE] = {0};
        memcpy(b + 1, ids[i], 5);
        b[6] = 1;
        write_block(b, out);
    }
}

static void pad32_size(uint32_t f)
{
    (void)f;
    if (iso_next_free_sector < 32) iso_next_free_sector = 32;
}
static void pad32_write(FILE *out)
{
    if (iso_sectors_written < 32) zero_blocks(out, 32 - iso_sectors_written);
}
static void pad256_size(uint32_t f)
{
    (void)f;
    if (iso_next_free_sector < 256) iso_next_free_sector = 256;
}
static void pad256_write(FILE *out)
{
    if (iso_sectors_written < 256) zero_blocks(out, 256 - iso_sectors_written);
}

static void main_size(uint32_t f)
{
    main_seq = f;
    iso_next_free_sector += 16;
}
static void reserve_size(uint32_t f)
{
    reserve_seq = f;
    iso_next_free_sector += 16;
}

static void write_sequence(FILE *out, uint32_t start)
{
    unsigned char b[SECTOR_SIZE];
    uint32_t at = start;
    uint32_t partition_length = end_anchor_block > partition_start ? end_anchor_block - partition_start : 0;
    if (!volset_words[0]) {
        volset_words[0] = (uint32_t)iso_build_start_time;
        volset_words[1] = (uint32_t)clock();
    }
    memset(b, 0, sizeof(b)); /* primary volume descriptor */
    iso_set_le32(b + 16, 0);
    dstring(b + 24, 32, iso_opt.volume_ident);
    iso_set_le16(b + 56, 1);
    iso_set_le16(b + 58, 1);
    iso_set_le16(b + 60, 2);
    iso_set_le16(b + 62, 2);
    iso_set_le32(b + 64, 1);
    iso_set_le32(b + 68, 1);
    char volset[20];
    snprintf(volset, sizeof(volset), "%08X%08X", volset_words[0], volset_words[1]);
    dstring(b + 72, 128, volset);
    charspec(b + 200);
    charspec(b + 264);
    timestamp(b + 376, iso_build_start_time);
    regid(b + 388, "*tarquel", 0);
    set_tag(b, 1, at, 512);
    write_block(b, out), at++;
    memset(b, 0, sizeof(b)); /* implementation use volume descriptor */
    iso_set_le32(b + 16, 1);
    regid(b + 20, "*UDF LV Info", 1);
    charspec(b + 52);
    dstring(b + 116, 128, iso_opt.volume_ident);
    regid(b + 352, "*tarquel", 0);
    set_tag(b, 4, at, 512);
    write_block(b, out), at++;
    memset(b, 0, sizeof(b)); /* partition descriptor */
    iso_set_le32(b + 16, 2);
    iso_set_le16(b + 20, 1);
    iso_set_le16(b + 22, 0);
    regid(b + 24, "+NSR02", 0);
    iso_set_le32(b + 184, 1);
    iso_set_le32(b + 188, partition_start);
    iso_set_le32(b + 192, partition_length);
    regid(b + 196, "*tarquel", 0);
    set_tag(b, 5, at, 512);
    write_block(b, out), at++;
    memset(b, 0, sizeof(b)); /* logical volume descriptor */
    iso_set_le32(b + 16, 3);
    charspec(b + 20);
    dstring(b + 84, 128, iso_opt.volume_ident);
    iso_set_le32(b + 212, SECTOR_SIZE);
    regid(b + 216, "*OSTA UDF Compliant", 1);
    long_ad(b + 248, 4096, file_set_block - partition_start);
    iso_set_le32(b + 264, 6);
    iso_set_le32(b + 268, 1);
    regid(b + 272, "*tarquel", 0);
    iso_set_le32(b + 432, 2 * SECTOR_SIZE);
    iso_set_le32(b + 436, integ_seq);
    b[440] = 1;
    b[441] = 6;
    iso_set_le16(b + 442, 1);
    iso_set_le16(b + 444, 0);
    set_tag(b, 6, at, 446);
    write_block(b, out), at++;
    memset(b, 0, sizeof(b)); /* unallocated space descriptor */
    iso_set_le32(b + 16, 4);
    set_tag(b, 7, at, 24);
    write_block(b, out), at++;
    memset(b, 0, sizeof(b)); /* terminating descriptor */
    set_tag(b, 8, at, 512);
    write_block(b, out), at++;
    zero_blocks(out, 10);
}

static void main_write(FILE *out) { write_sequence(out, main_seq); }
static void reserve_write(FILE *out) { write_sequence(out, reserve_seq); }

static void integ_size(uint32_t f)
{
    integ_seq = f;
    iso_next_free_sector += 2;
}
static void integ_write(FILE *out)
{
    unsigned char b[SECTOR_SIZE] = {0};
    uint32_t partition_length = end_anchor_block > partition_start ? end_anchor_block - partition_start : 0;
    timestamp(b + 16, iso_build_start_time);
    iso_set_le32(b + 28, 1);
    iso_set_le32(b + 72, 1);
    iso_set_le32(b + 76, 46);
    iso_set_le32(b + 80, 0);
    iso_set_le32(b + 84, partition_length);
    regid(b + 88, "*tarquel", 0);
    iso_set_le32(b + 120, file_count);
    iso_set_le32(b + 124, dir_count);
    iso_set_le16(b + 128, 0x0102);
    iso_set_le16(b + 130, 0x0102);
    iso_set_le16(b + 132, 0x0102);
    set_tag(b, 9, integ_seq, 134);
    write_block(b, out);
    memset(b, 0, sizeof(b));
    set_tag(b, 8, integ_seq + 1, 512);
    write_block(b, out);
}

static void anchor_at(FILE *out, uint32_t block)
{
    unsigned char b[SECTOR_SIZE] = {0};
    iso_set_le32(b + 16, 16 * SECTOR_SIZE);
    iso_set_le32(b + 20, main_seq);
    iso_set_le32(b + 24, 16 * SECTOR_SIZE);
    iso_set_le32(b + 28, reserve_seq);
    set_tag(b, 2, block, 512);
    write_block(b, out);
}

static void anchor_size(uint32_t f)
{
    anchor_block = f;
    iso_next_free_sector++;
}
static void anchor_write(FILE *out) { anchor_at(out, anchor_block); }

static void file_set_size(uint32_t f)
{
    file_set_block = partition_start = f;
    iso_next_free_sector += 2;
}
static void file_set_write(FILE *out)
{
    unsigned char b[SECTOR_SIZE] = {0};
    timestamp(b + 16, iso_build_start_time);
    iso_set_le16(b + 28, 3);
    iso_set_le16(b + 30, 3);
    iso_set_le32(b + 32, 1);
    iso_set_le32(b + 36, 1);
    charspec(b + 48);
    dstring(b + 112, 128, iso_opt.volume_ident);
    charspec(b + 240);
    dstring(b + 304, 32, iso_opt.volume_ident);
    long_ad(b + 400, SECTOR_SIZE, iso_root->udf_icb - partition_start);
    regid(b + 416, "*OSTA UDF Compliant", 1);
    set_tag(b, 256, 0, 512);
    write_block(b, out);
    memset(b, 0, sizeof(b));
    set_tag(b, 8, 1, 512);
    write_block(b, out);
}

static void dirtree_size(uint32_t f)
{
    (void)f;
    size_dirs(iso_root, 1);
}
static void dirtree_write(FILE *out) { write_dirs(iso_root, out, 1); }
static void files_size(uint32_t f)
{
    (void)f;
    size_files(iso_root, 1);
}
static void files_write(FILE *out) { write_files(iso_root, out, 1); }

static void end_anchor_size(uint32_t f)
{
    end_anchor_block = f ? f : iso_next_free_sector;
    iso_next_free_sector++;
}
static void end_anchor_write(FILE *out) { anchor_at(out, end_anchor_block); }

static void padend_size(uint32_t f)
{
    (void)f;
    iso_next_free_sector += 150;
}
static void padend_write(FILE *out) { zero_blocks(out, 150); }

const image_region iso_udf_vol_recognition_region = {NULL, vrs_size, NULL, vrs_write, "UDF volume recognition area", 0, 0};
const image_region iso_udf_pad_to_32_region = {NULL, pad32_size, NULL, pad32_write, "UDF pad to sector 32", 0, 0};
const image_region iso_udf_main_seq_region = {NULL, main_size, NULL, main_write, "UDF main seq", 0, 0};
const image_region iso_udf_second_seq_region = {NULL, reserve_size, NULL, reserve_write, "UDF second seq", 0, 0};
const image_region iso_udf_integ_seq_region = {NULL, integ_size, NULL, integ_write, "UDF integ seq", 0, 0};
const image_region iso_udf_pad_to_256_region = {NULL, pad256_size, NULL, pad256_write, "UDF pad to sector 256", 0, 0};
const image_region iso_udf_anchor_region = {NULL, anchor_size, NULL, anchor_write, "UDF Anchor volume", 0, 0};
const image_region iso_udf_file_set_region = {NULL, file_set_size, NULL, file_set_write, "UDF file set", 0, 0};
const image_region iso_udf_dirtree_region = {NULL, dirtree_size, NULL, dirtree_write, "UDF directory tree", 0, 0};
const image_region iso_udf_file_entries_region = {NULL, files_size, NULL, files_write, "UDF file entries", 0, 0};
const image_region iso_udf_end_anchor_region = {NULL, end_anchor_size, NULL, end_anchor_write, "UDF Anchor end volume", 0, 0};
const image_region iso_udf_padend_region = {NULL, padend_size, NULL, padend_write, "UDF Pad end", 0, 0};
