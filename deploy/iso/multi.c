/* Builder entry, run wrapper, tracked allocator, messages and progress. */
#include "iso.h"

#include <setjmp.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

iso_settings iso_opt;
const char_set *iso_in_cs, *iso_out_cs;
void *iso_progress_window, *iso_owner_window;

static jmp_buf fatal_jump;
static int jump_armed;
static FILE *image_file;
static char image_path[ISO_PATH_BYTES + 1];
static int image_opened;

static iso_message_hook message_hook;
static void *message_context;
static iso_progress_hook progress_hook;
static void *progress_context;
static char last_message[1024];
static char last_error[1024];

void iso_set_message_hook(iso_message_hook hook, void *context)
{
    message_hook = hook;
    message_context = context;
}

void iso_set_progress_hook(iso_progress_hook hook, void *context)
{
    progress_hook = hook;
    progress_context = context;
}

const char *iso_last_error(void) { return last_error; }

/* ---- allocation tracker ---- */

/* Small blocks (most of them: names, records, entries) come from large chunks
   in classes of 8 bytes, with an 8-byte class word in front; a freed one goes
   back to the list of its class. Large blocks are malloc'd and carry a node of
   the tracker's ring, so freeing needs no search. Everything goes at the end of
   the run. */
#define SMALL_LIMIT 512
#define SMALL_CLASSES (SMALL_LIMIT / 8)
#define CHUNK_SIZE (256 * 1024)

typedef struct track_node {
    struct track_node *next, *prev;
    uint64_t pad;
    uint64_t word; /* 0: a large block */
} track_node;

typedef struct chunk {
    struct chunk *next;
    uint64_t pad;
} chunk;

/* the class word in front of a block: 8 bytes on every target, so blocks stay
   8-aligned */
#define HEAD 8
#define CLASS_OF(user) (*(size_t *)((unsigned char *)(user)-HEAD))
#define FREED ((size_t)1 << 16)

/* Under AddressSanitizer the chunks are poisoned but for the blocks handed out,
   so that a write past a block is caught as with malloc. */
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ISO_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ISO_ASAN 1
#endif
#ifdef ISO_ASAN
#include <sanitizer/asan_interface.h>
#define POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define POISON(p, n) ((void)(p), (void)(n))
#define UNPOISON(p, n) ((void)(p), (void)(n))
#endif

typedef struct free_block {
    struct free_block *next;
} free_block;

static track_node *track_head;
static chunk *chunks;
static unsigned char *bump, *bump_end;
static free_block *free_lists[SMALL_CLASSES + 1];

static void track_start(void)
{
    track_head = (track_node *)calloc(1, sizeof(track_node));
    if (track_head) track_head->next = track_head->prev = track_head;
    chunks = NULL;
    bump = bump_end = NULL;
    memset(free_lists, 0, sizeof(free_lists));
}

static void track_free_all(void)
{
    if (!track_head) return;
    track_node *n = track_head->next;
    while (n != track_head) {
        track_node *next = n->next;
        free(n);
        n = next;
    }
    free(track_head);
    track_head = NULL;
    while (chunks) {
        chunk *c = chunks;
        chunks = c->next;
        UNPOISON(c, CHUNK_SIZE);
        free(c);
    }
    bump = bump_end = NULL;
    memset(free_lists, 0, sizeof(free_lists));
}

static void out_of_memory(void)
{
    iso_message("Not enough memory\n");
    iso_fatal();
}

static void *small_alloc(size_t size)
{
    size_t cls = (size + 7) / 8;
    free_block *f = free_lists[cls];
    unsigned char *block;
    if (f) {
        UNPOISON(f, sizeof(*f));
        free_lists[cls] = f->next;
        block = (unsigned char *)f - HEAD;
    } else {
        size_t need = HEAD + cls * 8;
        if (!bump || (size_t)(bump_end - bump) < need) {
            chunk *c = (chunk *)malloc(CHUNK_SIZE);
            if (!c) out_of_memory();
            c->next = chunks;
            chunks = c;
            bump = (unsigned char *)(c + 1);
            bump_end = (unsigned char *)c + CHUNK_SIZE;
            POISON(bump, (size_t)(bump_end - bump));
        }
        block = bump;
        bump += need;
    }
    UNPOISON(block, HEAD + cls * 8);
    memset(block, 0, HEAD + cls * 8);
    CLASS_OF(block + HEAD) = cls;
    POISON(block, HEAD);
    POISON(block + HEAD + size, cls * 8 - size);
    return block + HEAD;
}

void *iso_alloc(size_t size)
{
    if (size == 0) return NULL;
    if (!track_head) out_of_memory();
    if (size <= SMALL_LIMIT) return small_alloc(size);
    track_node *node = size < (size_t)-1 - sizeof(track_node)
                           ? (track_node *)calloc(1, sizeof(track_node) + size)
                           : NULL;
    if (!node) out_of_memory();
    node->prev = track_head->prev;
    node->next = track_head;
    track_head->prev->next = node;
    track_head->prev = node;
    return node + 1;
}

char *iso_strdup(const char *text)
{
    size_t n = strlen(text) + 1;
    char *copy = (char *)iso_alloc(n);
    memcpy(copy, text, n);
    return copy;
}

void iso_free(void *block)
{
    if (!block || !track_head) return;
    UNPOISON((unsigned char *)block - HEAD, HEAD);
    size_t word = CLASS_OF(block);
    if (word & FREED) abort(); /* freed twice: the lists would be corrupt */
    if (word) {
        CLASS_OF(block) = word | FREED;
        POISON((unsigned char *)block - HEAD, HEAD);
        free_block *f = (free_block *)block;
        UNPOISON(f, sizeof(*f));
        f->next = free_lists[word];
        free_lists[word] = f;
        POISON(f, word * 8);
        return;
    }
    track_node *n = (track_node *)block - 1;
    n->prev->next = n->next;
    n->next->prev = n->prev;
    free(n);
}

void iso_close_file(FILE **f)
{
    if (*f) {
        fclose(*f);
        *f = NULL;
    }
}

void iso_fatal(void)
{
    if (last_message[0]) memcpy(last_error, last_message, sizeof(last_error));
    if (!last_error[0]) strcpy(last_error, "ISO build failed\n");
    if (jump_armed) longjmp(fatal_jump, 1);
    abort();
}

/* ---- messages ---- */

static void emit(const char *names_text)
{
    char text[1024];
    iso_plat_text_out(names_text, text, sizeof(text));
    fputs(text, stdout);
    iso_plat_debug_output(text);
    if (message_hook) message_hook(message_context, text);
    strncpy(last_message, text, sizeof(last_message) - 1);
    last_message[sizeof(last_message) - 1] = 0;
}

static void vmessage(const char *format, va_list ap)
{
    char buffer[1024];
    vsnprintf(buffer, sizeof(buffer), format, ap);
    emit(buffer);
}

void iso_message(const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    vmessage(format, ap);
    va_end(ap);
}

void iso_error(FILE *stream, const char *format, ...)
{
    (void)stream;
    va_list ap;
    va_start(ap, format);
    vmessage(format, ap);
    va_end(ap);
}

void iso_report(const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    vmessage(format, ap);
    va_end(ap);
}

void iso_report_errno(int err, const char *format, ...)
{
    char buffer[1024];
    va_list ap;
    va_start(ap, format);
    int n = vsnprintf(buffer, sizeof(buffer), format, ap);
    va_end(ap);
    if (n >= 0 && n < (int)sizeof(buffer) - 1)
        snprintf(buffer + n, sizeof(buffer) - (size_t)n, " (errno = %d)\n", err);
    emit(buffer);
}

/* ---- progress ---- */

static int last_percent;

void iso_progress_start(void)
{
    iso_plat_progress_start(iso_progress_window);
}

void iso_progress(int percent)
{
    if (percent < last_percent) percent = last_percent;
    if (percent > 100) percent = 100;
    last_percent = percent;
    iso_plat_progress(iso_progress_window, iso_owner_window, percent);
    if (progress_hook) progress_hook(progress_context, percent);
}

/* ---- dates ---- */

static int offset_quarters(const struct tm *local, const struct tm *gmt)
{
    int days = local->tm_yday - gmt->tm_yday;
    if (local->tm_year != gmt->tm_year) days = local->tm_year > gmt->tm_year ? 1 : -1;
    int minutes = days * 1440 + (local->tm_hour - gmt->tm_hour) * 60 + (local->tm_min - gmt->tm_min);
    return minutes / 15;
}

static int gmt_offset_quarters(time_t t)
{
    struct tm local, gmt;
    iso_plat_local_time(t, &local);
    iso_plat_gm_time(t, &gmt);
    return offset_quarters(&local, &gmt);
}

/* Files of one tree mostly share a few times: the last one converted is kept. */
static time_t last_date_time;
static unsigned char last_date[7];
static int last_date_valid;

void iso_recording_date(unsigned char out[7], time_t t)
{
    if (!last_date_valid || t != last_date_time) {
        struct tm local, gmt;
        iso_plat_local_time(t, &local);
        iso_plat_gm_time(t, &gmt);
        last_date[0] = (unsigned char)local.tm_year;
        last_date[1] = (unsigned char)(local.tm_mon + 1);
        last_date[2] = (unsigned char)local.tm_mday;
        last_date[3] = (unsigned char)local.tm_hour;
        last_date[4] = (unsigned char)local.tm_min;
        last_date[5] = (unsigned char)local.tm_sec;
        last_date[6] = (unsigned char)(signed char)offset_quarters(&local, &gmt);
        last_date_time = t;
        last_date_valid = 1;
    }
    memcpy(out, last_date, 7);
}

int iso_gmt_offset(time_t t) { return gmt_offset_quarters(t); }

/* ---- graft-point helpers (the studio never grafts) ---- */

const char *iso_find_target_separator(const char *text)
{
    for (const char *p = text; *p; p++)
        if (*p == '=' && p != text && p[-1] != '\\') return p;
    return NULL;
}

void iso_unescape_target_spec(char *out, const char *in)
{
    while (*in) {
        if (in[0] == '\\' && (in[1] == '\\' || in[1] == '=')) {
            *out++ = in[1];
            in += 2;
        } else {
            *out++ = *in++;
        }
    }
    *out = 0;
}

/* ---- settings ---- */

void iso_reset_globals(void)
{
    iso_nls_reset();
    iso_eltorito_reset();
    iso_tree_reset();
    iso_write_reset();
    iso_joliet_reset();
    iso_udf_reset();
    iso_stream_reset();
    iso_rock_reset();
    iso_progress_window = iso_owner_window = NULL;
    iso_hash_reset();
    iso_match_reset();

    memset(&iso_opt, 0, sizeof(iso_opt));
    iso_opt.verbosity = 1;
    iso_opt.include_backup_names = 1;
    iso_opt.inode_hash = 1;
    iso_opt.created_dir_mode = 0555;
    iso_opt.end_padding = 1;
    iso_opt.application_ident = "ZAVO ISO IMAGE BUILDER";
    iso_opt.volume_ident = "CDROM";
    iso_opt.system_ident = "UNIX";
    iso_opt.boot_catalog_path = "boot.catalog";
    iso_opt.joliet_ucs_level = 3;
    iso_opt.volume_set_count = 1;
    iso_opt.volume_sequence = 1;
    iso_opt.relocation_depth = 6;
    iso_opt.iso_level = 1;
    iso_opt.iso_name_max = 31;
    iso_opt.map_special_chars = 1;
    iso_opt.split_link_components = iso_opt.split_link_records = 1;
    iso_opt.joliet_name_max = 64;
    iso_in_cs = iso_out_cs = NULL;
    last_percent = 0;
    last_message[0] = 0;
    last_date_valid = 0;
}

static void set_driven_settings(const iso_build_options *o)
{
    iso_opt.include_backup_names = 1; /* nothing of the user's is left out */
    iso_opt.inode_hash = 0;
    iso_opt.application_ident = o->application_id;
    iso_opt.copyright_ident = o->copyright_file_id;
    iso_opt.preparer_ident = o->preparer_id;
    iso_opt.publisher_ident = o->publisher_id;
    iso_opt.system_ident = o->system_id;
    iso_opt.volume_ident = o->volume_id;
    iso_opt.volume_set_ident = o->volume_set_id;
    iso_opt.volume_set_count = o->volume_set_size > 0 ? o->volume_set_size : 1;
    iso_opt.volume_sequence = o->volume_sequence_number > 0 ? o->volume_sequence_number : 1;
    if (iso_opt.volume_sequence > iso_opt.volume_set_count) iso_opt.volume_sequence = iso_opt.volume_set_count;
    iso_opt.relocation_depth = 32767;
    iso_opt.iso_name_max = 207;
    iso_opt.long_names = iso_opt.no_added_period = iso_opt.no_version_suffix = 1;
    iso_opt.keep_leading_dot = iso_opt.relaxed_names = iso_opt.keep_lower_case = iso_opt.keep_all_dots = 1;
    iso_opt.rock_ridge = iso_opt.joliet = iso_opt.el_torito = 1;
    iso_opt.udf = 0;
    iso_opt.share_duplicates = 1;
    iso_opt.hidden_relocation_dir = 1;
    iso_opt.sort_weights = 1;
    iso_opt.stream_mode = 0;
    iso_opt.output_name = o->output_path;
}

static const char_set *pick_charset(const char *name)
{
    if (!name) return iso_charset_load(iso_plat_system_charset());
    if (strcmp(name, "default") == 0) return iso_charset_default();
    return iso_charset_load(name);
}

static void setup_charsets(void)
{
    iso_charset_register_all();
    /* names as listed may hold what the system code page cannot; the image's
       own sets keep it and substitute the rest */
    if (iso_opt.disk_codepage) {
        iso_in_cs = pick_charset(iso_opt.disk_codepage);
        iso_out_cs = iso_opt.image_codepage ? pick_charset(iso_opt.image_codepage) : iso_in_cs;
    } else {
        iso_in_cs = iso_charset_load(iso_plat_name_charset());
        iso_out_cs = pick_charset(iso_opt.image_codepage);
    }
    if (!iso_in_cs || !iso_out_cs) {
        char *names = iso_charset_list_names();
        iso_message("Unknown charset\nKnown charsets are:\n%s", names);
        iso_fatal();
    }
}

static void add_source(const char *path)
{
    iso_stat st;
    if (iso_plat_stat(path, &st) != 0) {
        iso_message("Invalid node - %s\n", path);
        iso_fatal();
    }
    if (st.is_dir) {
        if (!iso_scan_directory_tree(iso_root, path, iso_root->self)) iso_fatal();
    } else {
        const char *base = strrchr(path, '/');
        const char *b2 = strrchr(path, '\\');
        if (!base || (b2 && b2 > base)) base = b2;
        iso_insert_file_entry(iso_root, path, base ? base + 1 : path);
    }
}

static void list_regions(void)
{
    iso_place_region(&iso_padblock_region);
    iso_place_region(&iso_pvd_region);
    if (iso_opt.el_torito) iso_place_region(&iso_torito_region);
    if (iso_opt.iso_level > 3) iso_place_region(&iso_enhanced_region);
    if (iso_opt.joliet) iso_place_region(&iso_joliet_vd_region);
    iso_place_region(&iso_end_vd_region);
    if (iso_opt.udf) iso_place_region(&iso_udf_vol_recognition_region);
    iso_place_region(&iso_version_region);
    if (iso_opt.udf) {
        iso_place_region(&iso_udf_pad_to_32_region);
        iso_place_region(&iso_udf_main_seq_region);
        iso_place_region(&iso_udf_second_seq_region);
        iso_place_region(&iso_udf_integ_seq_region);
        iso_place_region(&iso_udf_pad_to_256_region);
        iso_place_region(&iso_udf_anchor_region);
        iso_place_region(&iso_udf_file_set_region);
        iso_place_region(&iso_udf_dirtree_region);
        iso_place_region(&iso_udf_file_entries_region);
    }
    iso_place_region(iso_opt.stream_mode ? &iso_sfpath_region : &iso_pathtable_region);
    if (iso_opt.joliet) iso_place_region(&iso_jpathtable_region);
    if (!iso_opt.stream_mode) iso_place_region(&iso_dirtree_region);
    if (iso_opt.joliet) iso_place_region(&iso_jdirtree_region);
    iso_place_region(&iso_dirtree_clean_region);
    if (iso_rr_er_record) iso_place_region(&iso_extension_region);
    if (iso_opt.stream_mode) {
        iso_place_region(&iso_sfile_region);
        iso_place_region(&iso_sfdir_region);
    } else {
        iso_place_region(&iso_files_region);
    }
}

/* The caller's texts and paths, as the builder holds them. */
static void take_caller_texts(const iso_build_options *caller, iso_build_options *o)
{
    static char held[11][ISO_PATH_BYTES + 1];
    const char **fields[11] = {&o->boot_image, &o->application_id, &o->copyright_file_id, &o->preparer_id,
                               &o->publisher_id, &o->system_id, &o->volume_id, &o->volume_set_id,
                               &o->output_path, &o->first_source, &o->second_source};
    *o = *caller;
    for (int i = 0; i < 11; i++) {
        if (!*fields[i]) continue;
        if (!iso_plat_path_in(*fields[i], held[i], sizeof(held[i]))) {
            iso_message("Path name %s too long.\n", *fields[i]);
            iso_fatal();
        }
        *fields[i] = held[i];
    }
}

static int iso_main(const iso_build_options *caller)
{
    iso_build_options held;
    const iso_build_options *o = &held;
    iso_reset_globals();
    take_caller_texts(caller, &held);
    iso_plat_read_time_zone();
    iso_progress_window = o->progress_window;
    iso_owner_window = o->owner_window;
    if (iso_progress_window) iso_progress_start();

    set_driven_settings(o);
    iso_new_boot_entry();
    iso_set_boot_image(o->boot_image, 1);

    if (iso_opt.rock_ridge && iso_opt.iso_name_max > 193) iso_opt.iso_name_max = 193;
    if (iso_opt.iso_level > 3) iso_message("Warning: Creating ISO-9660:1999 (version 2) filesystem.\n");
    if (iso_opt.iso_name_max > 31)
        iso_message("Warning: ISO-9660 filenames longer than %d may cause buffer overflows in the OS.\n", 31);
    if (iso_opt.joliet && !iso_opt.rock_ridge) {
        iso_message("Warning: creating filesystem with (nonstandard) Joliet extensions\n");
        iso_message("         but without (standard) Rock Ridge extensions.\n");
        iso_message("         It is highly recommended to add Rock Ridge\n");
    }
    setup_charsets();
    if (!iso_opt.joliet && iso_pattern_list_nonempty(LIST_HIDE_JOLIET)) iso_opt.joliet = 1;

    if (iso_opt.rock_ridge)
        iso_rr_er_record = iso_make_rr_er_record("RRIP_1991A",
                                                 "THE ROCK RIDGE INTERCHANGE PROTOCOL PROVIDES SUPPORT FOR POSIX FILE SYSTEM SEMANTICS",
                                                 "SEE THE PUBLISHER IDENTIFIER IN THE PRIMARY VOLUME DESCRIPTOR FOR CONTACT INFORMATION.",
                                                 &iso_rr_er_length);

    /* the boot image and the catalog are hidden by their paths, so a file of the
       same name elsewhere in the user's folders stays visible */
    if (iso_opt.el_torito) iso_init_boot_catalog(o->first_source);

    iso_stat st;
    if (iso_plat_stat(o->first_source, &st) != 0) {
        iso_message("Invalid node - %s\n", o->first_source);
        iso_fatal();
    }
    if (st.has_identity) iso_hash_add_directory(st.dev, st.ino);
    iso_init_root_directory(o->first_source, &st);

    add_source(o->first_source);
    if (o->second_source && o->second_source[0]) add_source(o->second_source);

    if (iso_opt.el_torito && !iso_insert_boot_catalog()) iso_fatal();
    for (int i = 0; i < LIST_COUNT; i++) iso_pattern_free(i);
    iso_sort_weight_free();

    if (iso_finish_tree(iso_root) != 0) {
        iso_message("ISO9660/Rock Ridge tree sort failed.\n");
        iso_fatal();
    }
    if ((iso_opt.joliet || iso_opt.udf) && iso_joliet_order_tree(iso_root) != 0) {
        iso_message("Joliet tree sort failed.\n");
        iso_fatal();
    }
    iso_root->self = iso_root->contents;

    image_file = iso_plat_fopen(iso_opt.size_only ? "/dev/null" : iso_opt.output_name, "wb");
    if (!image_file) {
        iso_message(iso_opt.size_only ? "Unable to open /dev/null\n" : "Unable to open disc image file\n");
        iso_fatal();
    }
    /* many small writes (a sector per small file): one system call per 256 KiB;
       the C library takes the size only with a buffer */
    static char image_buffer[256 * 1024];
    setvbuf(image_file, image_buffer, _IOFBF, sizeof(image_buffer));
    if (!iso_opt.size_only) {
        snprintf(image_path, sizeof(image_path), "%s", iso_opt.output_name);
        image_opened = 1;
    }
    list_regions();
    iso_layout_regions();
    iso_generate_regions();
    if (iso_opt.udf) {
        iso_place_region(&iso_udf_end_anchor_region);
        if (iso_opt.end_padding) iso_place_region(&iso_udf_padend_region);
    } else if (iso_opt.end_padding) {
        iso_place_region(&iso_endpad_region);
    }
    if (iso_opt.size_only) {
        if (iso_opt.verbosity > 0)
            iso_message("Total extents scheduled to be written = %u\n", iso_next_free_sector);
        iso_fatal();
    }
    iso_opt.verbosity = 2;
    iso_opt.gui_progress = 1;
    iso_write_regions(image_file);
    if (iso_opt.verbosity > 0)
        iso_message("%u extents written (%u MB)\n", iso_sectors_written, iso_sectors_written / 512);
    iso_message("%u extents written (%u MB)\n", iso_sectors_written, iso_sectors_written / 512);
    /* on a fatal error iso_build_run closes the image */
    if (fflush(image_file) != 0 || ferror(image_file)) {
        iso_message("cannot write the disc image file\n");
        iso_fatal();
    }
    FILE *f = image_file;
    image_file = NULL;
    if (fclose(f) != 0) {
        iso_message("cannot write the disc image file\n");
        iso_fatal();
    }
    iso_progress(100);
    return 1;
}

int iso_build_run(const iso_build_options *options)
{
    static volatile int result;
    result = 0;
    last_error[0] = 0;
    iso_tree_clear_left_out();
    track_start();
    if (!track_head) {
        strcpy(last_error, "Not enough memory\n");
        return 0;
    }
    image_opened = 0;
    jump_armed = 1;
    if (setjmp(fatal_jump) == 0) {
        result = iso_main(options);
    } else {
        result = 0;
    }
    jump_armed = 0;
    iso_close_file(&image_file);
    /* a cut-short image must not be taken for a good one */
    if (!result && image_opened) {
        iso_stat st;
        if (iso_plat_stat(image_path, &st) == 0 && st.is_reg) iso_plat_remove(image_path);
    }
    image_opened = 0;
    track_free_all();
    iso_reset_globals();
    return result;
}

int iso_build(const char *first_source, const char *second_source, const char *output_path,
              void *owner, void *progress)
{
    static char fields[11][ISO_PATH_MAX + 1];
    const char *paths[3] = {first_source, second_source, output_path};
    for (int i = 0; i < 3; i++) {
        if (paths[i] && strlen(paths[i]) > ISO_PATH_MAX) {
            snprintf(last_error, sizeof(last_error), "Path name %s too long.\n", paths[i]);
            return 0;
        }
    }
    memset(fields, 0, sizeof(fields));
    strcpy(fields[0], "zavoldr.bin");
    strcpy(fields[1], "Zavo Studio 2009");
    strcpy(fields[2], "(C) Kantel Ruziz 2009.");
    strcpy(fields[3], "Zavo Studio 2009");
    strcpy(fields[4], "Zavo Studio 2009");
    strcpy(fields[5], "WIN32");
    strcpy(fields[6], "ZavoMenu");
    strcpy(fields[7], "Zavo Studio 2009");
    if (output_path) strcpy(fields[8], output_path);
    if (first_source) strcpy(fields[9], first_source);
    if (second_source) strcpy(fields[10], second_source);

    iso_build_options o;
    o.boot_image = fields[0];
    o.application_id = fields[1];
    o.copyright_file_id = fields[2];
    o.preparer_id = fields[3];
    o.publisher_id = fields[4];
    o.system_id = fields[5];
    o.volume_id = fields[6];
    o.volume_set_id = fields[7];
    o.progress_window = progress;
    o.owner_window = owner;
    o.volume_set_size = 1;
    o.volume_sequence_number = 1;
    o.output_path = fields[8];
    o.first_source = fields[9];
    o.second_source = fields[10];
    return iso_build_run(&o);
}
