/* Shared records of the ISO-9660 image builder. */
#ifndef ZAVO_ISO_H
#define ZAVO_ISO_H

#include <stdio.h>
#include <stdint.h>
#include <stddef.h>
#include <time.h>

#include "deploy/iso/iso_build.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SECTOR_SIZE 2048
#define ISO_PATH_MAX 260
/* Paths are held in UTF-8 on every build: room for ISO_PATH_MAX characters. */
#define ISO_PATH_BYTES (3 * ISO_PATH_MAX)
#define ISO_NO_INODE 0x7FFFFFFFu
#define ISO_NO_DEVICE 32767u

/* ---- builder internals ---- */

typedef struct char_set char_set;
typedef struct iso_directory iso_directory;
typedef struct iso_entry iso_entry;

struct char_set {
    const char *name;
    int (*to_bytes)(const char_set *cs, unsigned code, unsigned char *out, int room);
    int (*to_unicode)(const char_set *cs, const unsigned char *in, int avail, unsigned *code);
    unsigned char lower[256];
    unsigned char upper[256];
    void *owner;
    char_set *next;
    int codepage; /* platform-backed sets */
};

#define CS_NO_MAPPING (-22)
#define CS_TOO_SHORT (-38)
#define CS_BUSY (-16)

typedef struct iso_stat {
    uint64_t size;
    int is_dir, is_reg, is_chr;
    unsigned mode;
    unsigned nlink, uid, gid;
    uint32_t dev, ino;
    int has_identity;
    uint64_t rdev;
    time_t mtime, atime, ctime;
} iso_stat;

/* ISO 9660 directory record, fixed part (33 bytes) */
enum { DR_LENGTH = 0,
       DR_EXT_ATTR = 1,
       DR_EXTENT = 2,
       DR_SIZE = 10,
       DR_DATE = 18,
       DR_FLAGS = 25,
       DR_UNIT = 26,
       DR_GAP = 27,
       DR_VOLSEQ = 28,
       DR_NAME_LEN = 32,
       DR_FIXED = 33 };
/* Field offsets of the primary and supplementary volume descriptors. */
enum { VD_TYPE = 0,
       VD_ID = 1,
       VD_VERSION = 6,
       VD_SYSTEM_ID = 8,
       VD_VOLUME_ID = 40,
       VD_SPACE_SIZE = 80,
       VD_ESCAPES = 88,
       VD_SET_SIZE = 120,
       VD_SEQUENCE = 124,
       VD_BLOCK_SIZE = 128,
       VD_PATH_TABLE_SIZE = 132,
       VD_L_PATH_TABLE = 140,
       VD_L_PATH_TABLE_OPT = 144,
       VD_M_PATH_TABLE = 148,
       VD_M_PATH_TABLE_OPT = 152,
       VD_ROOT_RECORD = 156,
       VD_SET_ID = 190,
       VD_PUBLISHER_ID = 318,
       VD_PREPARER_ID = 446,
       VD_APPLICATION_ID = 574,
       VD_COPYRIGHT_FILE = 702,
       VD_ABSTRACT_FILE = 739,
       VD_BIBLIO_FILE = 776,
       VD_CREATED = 813,
       VD_MODIFIED = 830,
       VD_EXPIRES = 847,
       VD_EFFECTIVE = 864,
       VD_FILE_STRUCTURE = 881,
       VD_APPLICATION_USE = 883,
       VD_ROOT_RECORD_SIZE = 34,
       VD_LONG_DATE_SIZE = 17 };

/* The status of a source kept in its entry: what its records are made of. */
typedef struct iso_kept_stat {
    uint64_t rdev;
    time_t mtime, atime, ctime;
    unsigned mode, nlink, uid, gid;
    unsigned char is_dir, is_reg, is_chr, has_identity;
} iso_kept_stat;

/* One per file and folder: small, as a tree may hold many. */
struct iso_entry {
    iso_entry *next;
    iso_directory *filedir;    /* the directory it belongs to */
    iso_directory *subdir;     /* for a folder: its node */
    iso_entry *next_same_size; /* placed files of one size bucket */
    uint64_t size;
    unsigned char hide_iso, hide_joliet, hidden_attr, relocated;
    unsigned char is_dir, dot; /* dot: 1 ".", 2 ".." */
    unsigned char in_memory, sharing, has_md5_first, has_md5_whole;
    unsigned char rr_name_in_whole; /* rr_name is the tail of whole_name */
    unsigned char jname_narrow;     /* the Joliet name is rr_name, a byte a character: no jname */
    unsigned char rr_substituted;   /* rr_image holds substitutes for what its set cannot */
    unsigned char md5_first[16], md5_whole[16];
    unsigned char rec[DR_FIXED];
    char *iso_name; /* often rr_name itself: freed only when it is not */
    short iso_name_len;
    short rr_in_record, rr_total;
    short rec_len;
    short joliet_rec_len;
    short jname_len; /* characters */
    unsigned char *rr;
    unsigned char *memory_data;
    int sort_weight;
    int name_weight;
    iso_entry *share_of;
    char *rr_name;
    char *rr_image; /* the Rock Ridge name when it differs from rr_name */
    char *whole_name;
    uint32_t first_sector;
    uint32_t dev, ino;
    uint32_t udf_icb;
    iso_kept_stat st;
    /* Joliet */
    uint16_t *jname;
};

struct iso_directory {
    iso_directory *next;
    iso_directory *subdir;
    iso_directory *parent;
    iso_entry *self;
    iso_entry *contents;
    char *whole_name;
    char *de_name;
    int depth;
    uint32_t size;
    uint32_t ce_bytes;
    uint32_t extent;
    int path_index;
    int has_dot, has_dotdot, hide_iso, hide_joliet, scanned;
    int sort_weight;
    uint32_t joliet_extent, joliet_size;
    int joliet_path_index;
    uint32_t dev, ino;
    time_t mtime;
    uint32_t udf_icb, udf_data_size;
};

/* Builder-wide settings. */
typedef struct iso_settings {
    int verbosity;
    int include_backup_names;
    int inode_hash;
    unsigned created_dir_mode;
    int end_padding;
    const char *application_ident, *volume_ident, *system_ident, *copyright_ident,
        *preparer_ident, *publisher_ident, *volume_set_ident, *abstract_ident, *biblio_ident;
    const char *boot_catalog_path;
    int joliet_ucs_level;
    int volume_set_count, volume_sequence;
    int relocation_depth;
    int iso_level;
    int iso_name_max;
    int map_special_chars;
    int split_link_components, split_link_records;
    int joliet_name_max;
    int long_names, no_added_period, no_version_suffix, keep_leading_dot, relaxed_names,
        keep_lower_case, keep_all_dots;
    int rock_ridge, joliet, el_torito, udf, share_duplicates, hidden_relocation_dir,
        sort_weights, stream_mode, size_only, debug_trace, gui_progress;
    const char *disk_codepage, *image_codepage;
    uint32_t stream_media_size;
    const char *output_name;
    uint32_t uid, gid;
    int uid_set, gid_set;
} iso_settings;

extern iso_settings iso_opt;
extern const char_set *iso_in_cs, *iso_out_cs;

/* multi.c: run wrapper, allocator, messages, progress */
void *iso_alloc(size_t size);
char *iso_strdup(const char *text);
void iso_free(void *block);
void iso_fatal(void);
void iso_message(const char *format, ...);
void iso_error(FILE *stream, const char *format, ...);
void iso_report(const char *format, ...);
void iso_report_errno(int err, const char *format, ...);
void iso_progress_start(void);
void iso_progress(int percent);
void iso_recording_date(unsigned char out[7], time_t t);
int iso_gmt_offset(time_t t);
void iso_reset_globals(void);
/* Closes *f if open and empties it. */
void iso_close_file(FILE **f);
/* A FILE * closed when its variable goes out of scope. iso_fatal's jump skips
   it: a file open across a fatal error is module state closed by the reset. */
#define iso_scoped_file __attribute__((cleanup(iso_close_file))) FILE *
const char *iso_find_target_separator(const char *text);
void iso_unescape_target_spec(char *out, const char *in);
extern void *iso_progress_window, *iso_owner_window;

/* platform.c */
int iso_plat_stat(const char *path, iso_stat *st);
int iso_plat_readable(const char *path, int *err);
typedef void (*iso_name_fn)(void *context, const char *name);
int iso_plat_list(const char *path, iso_name_fn fn, void *context);
/* The tree lists folders through this (iso_plat_list; tests fake failures). */
typedef int (*iso_list_fn)(const char *path, iso_name_fn fn, void *context);
extern iso_list_fn iso_list_folder;
void iso_tree_clear_left_out(void);
FILE *iso_plat_fopen(const char *path, const char *mode);
int iso_plat_remove(const char *path);
/* A caller's path (system code page) as the builder holds it; 0 when it does not fit. */
int iso_plat_path_in(const char *caller_path, char *out, size_t room);
/* A message text as the caller reads it (system code page). */
void iso_plat_text_out(const char *text, char *out, size_t room);
/* The character set of names as listed, and the length of a path as the system counts it. */
const char *iso_plat_name_charset(void);
size_t iso_plat_path_units(const char *path);
/* A source file opened for reading: -1 when it cannot be. iso_plat_read reads
   until the size or the end and returns what it got. */
int iso_plat_open_read(const char *path);
size_t iso_plat_read(int fd, void *buffer, size_t size);
void iso_plat_close(int fd);
void iso_plat_read_time_zone(void);
void iso_plat_local_time(time_t t, struct tm *out);
void iso_plat_gm_time(time_t t, struct tm *out);
void iso_plat_debug_output(const char *text);
void iso_plat_progress_start(void *progress_window);
void iso_plat_progress(void *progress_window, void *owner_window, int percent);
int iso_plat_cp_to_unicode(int codepage, const unsigned char *in, int avail, unsigned *code);
int iso_plat_cp_from_unicode(int codepage, unsigned code, unsigned char *out, int room);
const char *iso_plat_system_charset(void);
int iso_plat_errno(void);

/* nls_config.c */
int iso_charset_register(char_set *cs);
const char_set *iso_charset_load(const char *name);
const char_set *iso_charset_default(void);
void iso_charset_register_all(void);
char *iso_charset_list_names(void);
void iso_nls_reset(void);

/* match.c */
enum { LIST_EXCLUDE = 0,
       LIST_HIDE_ISO = 1,
       LIST_HIDE_JOLIET = 2,
       LIST_HIDDEN_ATTR = 3,
       LIST_COUNT = 4 };
int iso_pattern_add(const char *pattern, int list);
int iso_pattern_add_path(const char *path, int list);
int iso_pattern_match(const char *name, int list);
int iso_pattern_list_nonempty(int list);
void iso_pattern_free(int list);
int iso_sort_weight_add(const char *pattern, int weight);
int iso_sort_weight_add_path(const char *path, int weight);
int iso_sort_weight_of(const char *path, int default_weight);
void iso_sort_weight_free(void);
int iso_shell_match(const char *pattern, const char *text);
void iso_match_reset(void);

/* name.c */
#define ISO_NAME_ROOM 256
/* Sets entry->iso_name: written into the room it points at (ISO_NAME_ROOM
   bytes), or, when NULL, the rr_name when equal, else a block of its own. */
int iso_iso9660_file_length(const char *name, iso_entry *entry, int is_dir);
void iso_set_iso_name(iso_entry *entry, const char *name, int length);
void iso_free_iso_name(iso_entry *entry);

/* hash.c */
typedef struct file_hash file_hash;
void iso_hash_add_file(iso_entry *entry);
iso_entry *iso_hash_find_file(iso_entry *entry);
void iso_hash_flush_files(void);
void iso_hash_add_directory(uint32_t dev, uint32_t ino);
int iso_hash_find_directory(uint32_t dev, uint32_t ino);
void iso_name_hash_add(iso_entry *entry);
iso_entry *iso_name_hash_find(const char *name);
int iso_name_hash_delete(iso_entry *entry);
void iso_name_hash_flush(void);
void iso_hash_reset(void);
int iso_compare_file_content(iso_entry *a, iso_entry *b);

/* rock.c */
enum { NEED_RE = 1,
       NEED_PL = 2,
       NEED_CL = 4,
       NEED_CE = 8,
       NEED_SP = 16 };
int iso_build_rr_records(const char *source, const char *name, iso_entry *entry, const iso_stat *st,
                         const iso_stat *caller_st, int deep_options);
unsigned char *iso_make_rr_er_record(const char *id, const char *descriptor, const char *source,
                                     int *length);
unsigned iso_xa_attributes(unsigned mode);
/* *substituted (may be NULL) is set when a character had no place in the output set. */
int iso_convert_rr_name(const char *in, char *out, int out_size, int *substituted);
void iso_rock_reset(void);
extern unsigned char *iso_rr_er_record;
extern int iso_rr_er_length;

/* joliet.c */
int iso_to_joliet_ucs2(unsigned char *out, int out_size, const char *source, const char_set *cs,
                       int *length_out);
int iso_convert_charset(const unsigned char *in, unsigned char *out, int in_len, int *out_len,
                        const char_set *from, const char_set *to);
int iso_joliet_name_bytes(const char *name);
int iso_joliet_order_tree(iso_directory *iso_root);
void iso_joliet_reset(void);

/* tree.c */
extern iso_directory *iso_root;
extern uint32_t iso_path_table_size;
extern time_t iso_root_time;
iso_directory *iso_find_or_make_directory(iso_directory *parent, const char *path, iso_entry *de,
                                          int by_name);
int iso_scan_directory_tree(iso_directory *dir, const char *path, iso_entry *de);
char iso_path_separator(const char *path);
/* The Rock Ridge name as the image holds it. */
const char *iso_rr_image_name(const iso_entry *e);
int iso_insert_file_entry(iso_directory *dir, const char *whole_path, const char *short_name);
int iso_finish_tree(iso_directory *iso_root);
void iso_set_link_counts(iso_directory *iso_root);
iso_entry *iso_search_tree_file(iso_directory *iso_root, const char *path);
iso_entry *iso_search_tree_source(iso_directory *iso_root, const char *source_path);
void iso_init_root_directory(const char *path, const iso_stat *st);
void iso_free_directory_entries(iso_directory *dir);
time_t iso_made_up_time(void);
int iso_walk_susp(const unsigned char *rr, int len, const char *sig);
void iso_tree_reset(void);

/* write.c */
typedef struct image_region image_region;
struct image_region {
    image_region *next;
    void (*size_step)(uint32_t first);
    void (*generate_step)(void);
    void (*write_step)(FILE *out);
    const char *name;
    uint32_t first_sector;
    int placed;
};
extern uint32_t iso_next_free_sector, iso_sectors_written;
extern time_t iso_build_start_time;
extern uint32_t iso_rr_byte_total, iso_dir_byte_total;
void iso_place_region(const image_region *templ);
void iso_layout_regions(void);
void iso_generate_regions(void);
void iso_write_regions(FILE *out);
void iso_write_sectors(const void *buffer, size_t item, size_t count, FILE *out);
int iso_order_directory(iso_entry **list, int reloc_dir);
void iso_set_both16(unsigned char *p, unsigned v);
void iso_set_both32(unsigned char *p, uint32_t v);
void iso_set_le16(unsigned char *p, unsigned v);
void iso_set_be16(unsigned char *p, unsigned v);
void iso_set_le32(unsigned char *p, uint32_t v);
void iso_set_be32(unsigned char *p, uint32_t v);
uint32_t iso_get_le32(const unsigned char *p);
void iso_format_ctime(char out[26], time_t t);
/* " 10.08%" for 1008 of 10000 sectors; returns the whole percent. */
int iso_progress_text(char *out, size_t size, uint32_t written, uint32_t total);
extern unsigned char iso_pvd_buffer[SECTOR_SIZE];
extern const image_region iso_padblock_region, iso_pvd_region, iso_torito_region, iso_enhanced_region,
    iso_joliet_vd_region, iso_end_vd_region, iso_version_region, iso_pathtable_region, iso_jpathtable_region,
    iso_dirtree_region, iso_jdirtree_region, iso_dirtree_clean_region, iso_extension_region, iso_files_region,
    iso_endpad_region, iso_sfpath_region, iso_sfile_region, iso_sfdir_region, iso_udf_vol_recognition_region,
    iso_udf_pad_to_32_region, iso_udf_main_seq_region, iso_udf_second_seq_region, iso_udf_integ_seq_region,
    iso_udf_pad_to_256_region, iso_udf_anchor_region, iso_udf_file_set_region, iso_udf_dirtree_region,
    iso_udf_file_entries_region, iso_udf_end_anchor_region, iso_udf_padend_region;
extern uint32_t iso_path_table_location[4];
extern uint32_t iso_jpath_table_size;
extern uint32_t iso_jpath_table_location[4];
void iso_write_reset(void);

/* eltorito.c */
void iso_new_boot_entry(void);
void iso_set_boot_image(const char *path, int no_emulation);
void iso_init_boot_catalog(const char *first_source);
int iso_insert_boot_catalog(void);
void iso_write_boot_record(FILE *out);
void iso_eltorito_reset(void);

/* stream.c / udf.c */
void iso_stream_reset(void);
void iso_udf_reset(void);

#ifdef __cplusplus
}
#endif
#endif
