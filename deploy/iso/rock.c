/* Rock Ridge (SUSP/RRIP 1.09) system use areas and the CD-XA entry. */
#include "iso.h"

#include <string.h>

#define RR_BUFFER 8192
#define CE_SIZE 28

unsigned char *iso_rr_er_record;
int iso_rr_er_length;

static unsigned char buffer[RR_BUFFER];
static int ipnt;     /* write position */
static int recstart; /* start of the current continuation area, 0 while none */
static int reclimit; /* limit of the area being filled, relative to its start */
static int first_ce; /* offset of the first CE entry, -1 while none */
static int last_ce;  /* offset of the CE that opened the current area */
static int name_residual;

static int area_used(void) { return ipnt - recstart; }

void iso_rock_reset(void)
{
    ipnt = recstart = 0;
    reclimit = 254;
    first_ce = last_ce = -1;
    name_residual = 0;
    iso_rr_er_record = NULL;
    iso_rr_er_length = 0;
}

static void put_entry_header(const char *sig, int len)
{
    buffer[ipnt++] = (unsigned char)sig[0];
    buffer[ipnt++] = (unsigned char)sig[1];
    buffer[ipnt++] = (unsigned char)len;
    buffer[ipnt++] = 1;
}

static void close_area(void)
{
    if (last_ce >= 0) iso_set_both32(buffer + last_ce + 20, (uint32_t)area_used());
}

static void reserve_continuation_space(const char *where, int line)
{
    if (area_used() + CE_SIZE > reclimit || ipnt + CE_SIZE + 2048 > RR_BUFFER) {
        iso_message("Panic: no space, cannot add RR CE entry (%d bytes mising) for %s line %d.\n",
                    area_used() + CE_SIZE - reclimit, where, line);
        iso_message("currlen: %d ipnt: %d, recstart: %d\n", area_used(), ipnt, recstart);
        iso_message("Send  bug report to the maintainer.\n");
        iso_message("Aborting.\n");
        iso_fatal();
    }
    close_area();
    int at = ipnt;
    put_entry_header("CE", CE_SIZE);
    memset(buffer + ipnt, 0, 24);
    ipnt += 24;
    if (first_ce < 0) first_ce = at;
    last_ce = at;
    recstart = ipnt;
    reclimit = 2040;
}

/* Room for an entry of `len` bytes in the area, keeping room for a CE after it. */
static void need_room(int len, const char *where)
{
    if (area_used() + len + CE_SIZE > reclimit) reserve_continuation_space(where, __LINE__);
}

int iso_convert_rr_name(const char *in, char *out, int out_size, int *substituted)
{
    int n = (int)strlen(in), o = 0;
    for (int i = 0; i < n && o < out_size;) {
        unsigned char tmp[8];
        unsigned code;
        int tl = 0;
        int used = iso_in_cs->to_unicode(iso_in_cs, (const unsigned char *)in + i, n - i, &code);
        if (used >= 1) tl = iso_out_cs->to_bytes(iso_out_cs, code, tmp, (int)sizeof(tmp));
        if (used < 1 || tl < 1) {
            tmp[0] = '_';
            tl = 1;
            if (substituted) *substituted = 1;
        }
        if (used < 1) used = 1;
        if (tl == 1 && tmp[0] == '/') tmp[0] = '_';
        if (o + tl > out_size) break;
        memcpy(out + o, tmp, (size_t)tl);
        o += tl;
        i += used;
    }
    return o;
}

static void append_xa_record(const iso_stat *st)
{
    iso_set_be16(buffer + ipnt, st->gid);
    iso_set_be16(buffer + ipnt + 2, st->uid);
    iso_set_be16(buffer + ipnt + 4, iso_xa_attributes(st->mode));
    buffer[ipnt + 6] = 'X';
    buffer[ipnt + 7] = 'A';
    memset(buffer + ipnt + 8, 0, 6);
    ipnt += 14;
}

unsigned iso_xa_attributes(unsigned mode)
{
    unsigned a = 0x0800;
    if (mode & 0400) a |= 0x0001;
    if (mode & 0100) a |= 0x0004;
    if (mode & 0040) a |= 0x0010;
    if (mode & 0010) a |= 0x0040;
    if (mode & 0004) a |= 0x0100;
    if (mode & 0001) a |= 0x0400;
    if ((mode & 0170000) == 0040000) a |= 0x8000;
    return a;
}

static void put_date(time_t t)
{
    iso_recording_date(buffer + ipnt, t);
    ipnt += 7;
}

int iso_build_rr_records(const char *source, const char *name, iso_entry *entry, const iso_stat *st,
                         const iso_stat *caller_st, int deep)
{
    (void)source;
    (void)caller_st;
    if (entry->hide_iso) return 0;
    ipnt = recstart = 0;
    reclimit = 254;
    first_ce = last_ce = -1;
    int xa = 0; /* CD-XA stays off as the studio drives the builder */
    if (xa) append_xa_record(st);

    int reclen = 33 + entry->iso_name_len;
    if (reclen & 1) reclen++;
    if (reclen < 70) reclen = 70;
    reclimit = 254 - reclen;

    if (iso_opt.rock_ridge) {
        unsigned flags = 0;
        if (deep & NEED_SP) {
            need_room(7, "SP");
            put_entry_header("SP", 7);
            buffer[ipnt++] = 0xBE;
            buffer[ipnt++] = 0xEF;
            buffer[ipnt++] = xa ? 14 : 0;
        }
        need_room(5, "RR");
        int rr_at = ipnt;
        put_entry_header("RR", 5);
        buffer[ipnt++] = 0;

        if (strcmp(name, ".") != 0 && strcmp(name, "..") != 0) {
            char conv[1024];
            const char *p = conv;
            int left;
            if (entry->rr_image) {
                p = entry->rr_image;
                left = (int)strlen(p);
            } else {
                left = iso_convert_rr_name(name, conv, sizeof(conv), NULL);
            }
            while (left > 0) {
                need_room(5 + 1, "NM");
                int room = reclimit - area_used() - CE_SIZE - 5;
                if (room < 0) {
                    name_residual = room;
                    iso_message("Negative RR name length residual: %d\n", room);
                }
                int chunk = left < room ? left : room;
                if (chunk > 248) chunk = 248;
                if (chunk < 1) chunk = 1;
                put_entry_header("NM", 5 + chunk);
                buffer[ipnt++] = (unsigned char)(chunk < left ? 1 : 0);
                memcpy(buffer + ipnt, p, (size_t)chunk);
                ipnt += chunk;
                p += chunk;
                left -= chunk;
            }
            flags |= 8;
        }
        need_room(36, "PX");
        put_entry_header("PX", 36);
        iso_set_both32(buffer + ipnt, st->mode);
        iso_set_both32(buffer + ipnt + 8, st->nlink);
        iso_set_both32(buffer + ipnt + 16, iso_opt.uid_set ? iso_opt.uid : st->uid);
        iso_set_both32(buffer + ipnt + 24, iso_opt.gid_set ? iso_opt.gid : st->gid);
        ipnt += 32;
        flags |= 1;
        if (st->is_chr) {
            need_room(20, "PN");
            put_entry_header("PN", 20);
            iso_set_both32(buffer + ipnt, (uint32_t)(st->rdev >> 32));
            iso_set_both32(buffer + ipnt + 8, (uint32_t)st->rdev);
            ipnt += 16;
            flags |= 2;
        }
        need_room(26, "TF");
        put_entry_header("TF", 26);
        buffer[ipnt++] = 14;
        put_date(st->mtime);
        put_date(st->atime);
        put_date(st->ctime);
        flags |= 128;
        if (deep & NEED_RE) {
            need_room(4, "RE");
            put_entry_header("RE", 4);
            flags |= 64;
        }
        if (deep & NEED_PL) {
            need_room(12, "PL");
            put_entry_header("PL", 12);
            memset(buffer + ipnt, 0, 8);
            ipnt += 8;
            flags |= 32;
        }
        if (deep & NEED_CL) {
            need_room(12, "CL");
            put_entry_header("CL", 12);
            memset(buffer + ipnt, 0, 8);
            ipnt += 8;
            flags |= 16;
        }
        if (deep & NEED_CE) {
            /* the pointer to the extension record, filled by the writer */
            put_entry_header("CE", CE_SIZE);
            memset(buffer + ipnt, 0, 24);
            ipnt += 24;
        }
        buffer[rr_at + 4] = (unsigned char)flags;
        close_area();
    }
    entry->rr_total = ipnt;
    entry->rr_in_record = first_ce >= 0 ? first_ce + CE_SIZE : ipnt;
    if (ipnt) {
        entry->rr = (unsigned char *)iso_alloc((size_t)ipnt);
        memcpy(entry->rr, buffer, (size_t)ipnt);
    } else {
        entry->rr = NULL;
    }
    return 0;
}

unsigned char *iso_make_rr_er_record(const char *id, const char *descriptor, const char *source,
                                     int *length)
{
    int li = (int)strlen(id), ld = (int)strlen(descriptor), ls = (int)strlen(source);
    int len = 8 + li + ld + ls;
    if (len > SECTOR_SIZE) {
        iso_message("Extension record too long\n");
        iso_fatal();
    }
    unsigned char *er = (unsigned char *)iso_alloc(SECTOR_SIZE);
    er[0] = 'E';
    er[1] = 'R';
    er[2] = (unsigned char)len;
    er[3] = 1;
    er[4] = (unsigned char)li;
    er[5] = (unsigned char)ld;
    er[6] = (unsigned char)ls;
    er[7] = 1;
    memcpy(er + 8, id, (size_t)li);
    memcpy(er + 8 + li, descriptor, (size_t)ld);
    memcpy(er + 8 + li + ld, source, (size_t)ls);
    *length = len;
    return er;
}
