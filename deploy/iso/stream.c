/* Stream mode: one file STREAM.IMG;1 read from the standard input. Off as the
   studio drives the builder. */
#include "iso.h"

#include <string.h>

static uint32_t stream_first, stream_pad, stream_length, stream_dir_extent;
static unsigned char *stream_tables;

void iso_stream_reset(void)
{
    stream_first = stream_pad = stream_length = stream_dir_extent = 0;
    stream_tables = NULL;
}

static void sfpath_size(uint32_t first)
{
    iso_path_table_location[0] = first;
    iso_path_table_location[2] = first + 1;
    iso_path_table_size = 0;
    iso_next_free_sector += 2;
}

static void sfpath_generate(void)
{
    stream_tables = (unsigned char *)iso_alloc(2 * SECTOR_SIZE);
    unsigned char *l = stream_tables, *m = stream_tables + SECTOR_SIZE;
    l[0] = m[0] = 1;
    iso_set_le32(l + 2, stream_dir_extent);
    iso_set_be32(m + 2, stream_dir_extent);
    iso_set_le16(l + 6, 1);
    iso_set_be16(m + 6, 1);
}

static void sfpath_write(FILE *out)
{
    iso_write_sectors(stream_tables, SECTOR_SIZE, 2, out);
    iso_free(stream_tables);
    stream_tables = NULL;
}
const image_region iso_sfpath_region = {NULL, sfpath_size, sfpath_generate, sfpath_write, "Stream File Path table", 0, 0};

static void sfile_size(uint32_t first)
{
    stream_first = first;
    uint32_t start = first < 50 ? 50 : first;
    stream_pad = start - first;
    uint32_t end = iso_opt.stream_media_size;
    if (iso_opt.end_padding) end = end > 150 ? end - 150 : 0;
    stream_length = end > start ? end - start : 0;
    iso_next_free_sector += stream_pad + stream_length;
}

static void sfile_write(FILE *out)
{
    static unsigned char buffer[SECTOR_SIZE];
    static const unsigned char zero[SECTOR_SIZE];
    for (uint32_t i = 0; i < stream_pad; i++) iso_write_sectors(zero, SECTOR_SIZE, 1, out);
    uint32_t done = 0;
    int at_end = 0;
    while (done < stream_length && !at_end) {
        size_t got = fread(buffer, 1, SECTOR_SIZE, stdin);
        if (got == 0) break;
        if (got < SECTOR_SIZE) {
            memset(buffer + got, 0, SECTOR_SIZE - got);
            at_end = 1;
        }
        iso_write_sectors(buffer, SECTOR_SIZE, 1, out);
        done++;
    }
    for (; done < stream_length; done++) iso_write_sectors(zero, SECTOR_SIZE, 1, out);
}
const image_region iso_sfile_region = {NULL, sfile_size, NULL, sfile_write, "Stream File", 0, 0};

static void sfdir_size(uint32_t first)
{
    stream_dir_extent = first;
    iso_next_free_sector++;
}

static void put_record(unsigned char *r, int len, uint32_t extent, uint32_t size, int flags,
                       const char *name, int name_len)
{
    r[0] = (unsigned char)len;
    iso_set_both32(r + DR_EXTENT, extent);
    iso_set_both32(r + DR_SIZE, size);
    iso_recording_date(r + DR_DATE, iso_made_up_time());
    r[DR_FLAGS] = (unsigned char)flags;
    iso_set_both16(r + DR_VOLSEQ, (unsigned)iso_opt.volume_sequence);
    r[DR_NAME_LEN] = (unsigned char)name_len;
    memcpy(r + DR_FIXED, name, (size_t)name_len);
}

static void sfdir_write(FILE *out)
{
    unsigned char s[SECTOR_SIZE] = {0};
    put_record(s, 34, stream_dir_extent, SECTOR_SIZE, 2, "", 1);
    put_record(s + 34, 34, stream_dir_extent, SECTOR_SIZE, 2, "", 1);
    put_record(s + 68, 33 + 12, stream_first + stream_pad, stream_length * SECTOR_SIZE, 0, "STREAM.IMG;1", 12);
    iso_write_sectors(s, SECTOR_SIZE, 1, out);
}
const image_region iso_sfdir_region = {NULL, sfdir_size, NULL, sfdir_write, "Stream File Directory", 0, 0};
