/* The directory tree: scan of the source folders, entries, dot entries,
   unique ISO names, ordering and sizes. */
#include "iso.h"

#include <stdlib.h>
#include <string.h>

iso_directory *iso_root;
uint32_t iso_path_table_size;
time_t iso_root_time;

static time_t entry_time;
static uint32_t next_identity;

typedef struct listed_name {
    struct listed_name *next;
    char *name;
} listed_name;

typedef struct find_listing {
    listed_name *head, *tail, *cursor;
    int count;
} find_listing;

iso_list_fn iso_list_folder = iso_plat_list;

/* Folders whose listing failed, one per line; kept after the run. */
static char left_out[4096];

void iso_tree_clear_left_out(void) { left_out[0] = 0; }

const char *iso_folders_left_out(void) { return left_out; }

static void note_left_out(const char *held_path)
{
    char path[ISO_PATH_BYTES + 1];
    iso_plat_text_out(held_path, path, sizeof(path));
    size_t used = strlen(left_out), n = strlen(path);
    if (used + n + 2 <= sizeof(left_out)) {
        memcpy(left_out + used, path, n);
        left_out[used + n] = '\n';
        left_out[used + n + 1] = 0;
    } else if (used + 5 <= sizeof(left_out) && (used < 4 || strcmp(left_out + used - 4, "...\n") != 0)) {
        strcpy(left_out + used, "...\n");
    }
}

void iso_tree_reset(void)
{
    iso_root = NULL;
    iso_path_table_size = 0;
    iso_root_time = 0;
    entry_time = 0;
    next_identity = 0;
}

time_t iso_made_up_time(void)
{
    if (!entry_time) entry_time = time(NULL);
    return entry_time;
}

/* ---- folder listing ---- */

static void listing_add(void *context, const char *name)
{
    find_listing *l = (find_listing *)context;
    listed_name *n = (listed_name *)iso_alloc(sizeof(listed_name));
    n->name = iso_strdup(name);
    if (l->tail)
        l->tail->next = n;
    else
        l->head = n;
    l->tail = n;
}

static int is_sep(char c) { return c == '/' || c == '\\'; }

/* Names are joined to a path with the separator it already uses, so that
   messages show "S:\\src\\a.bin" rather than "S:\\src/a.bin". */
char iso_path_separator(const char *path)
{
    const char *s = strrchr(path, '/'), *b = strrchr(path, '\\');
    return b && (!s || b > s) ? '\\' : '/';
}

static find_listing *listing_open(const char *path)
{
    char p[ISO_PATH_BYTES + 8];
    size_t n = strlen(path);
    if (n > ISO_PATH_BYTES) return NULL;
    memcpy(p, path, n + 1);
    if (n == 0)
        strcpy(p, ".");
    else if (n >= 2 && is_sep(p[0]) && is_sep(p[1])) {
        if (!is_sep(p[n - 1])) strcat(p, "/");
    } else if (n > 1 && is_sep(p[n - 1])) {
        p[--n] = 0;
        if (n && p[n - 1] == ':') strcat(p, "/.");
    } else if (p[n - 1] == ':') {
        strcat(p, ".");
    }
    iso_stat st;
    if (iso_plat_stat(p, &st) != 0 || !st.is_dir) return NULL;
    find_listing *l = (find_listing *)iso_alloc(sizeof(find_listing));
    if (iso_list_folder(p, listing_add, l) != 0) {
        iso_free(l);
        return NULL;
    }
    l->cursor = l->head;
    return l;
}

static const char *listing_next(find_listing *l)
{
    if (!l->cursor) return NULL;
    const char *name = l->cursor->name;
    l->cursor = l->cursor->next;
    l->count++;
    return name;
}

static void listing_close(find_listing *l)
{
    while (l->head) {
        listed_name *n = l->head;
        l->head = n->next;
        iso_free(n->name);
        iso_free(n);
    }
    iso_free(l);
}

/* ---- nodes ---- */

static const char *last_component(const char *path)
{
    const char *p = path + strlen(path);
    while (p > path && !is_sep(p[-1])) p--;
    return p;
}

static iso_directory *new_directory(iso_directory *parent, const char *path, iso_entry *de)
{
    iso_directory *d = (iso_directory *)iso_alloc(sizeof(iso_directory));
    d->parent = parent ? parent : d;
    d->self = de;
    d->whole_name = iso_strdup(path);
    d->de_name = iso_strdup(de && de->rr_name ? de->rr_name : last_component(path));
    d->depth = parent ? parent->depth + 1 : 0;
    if (de) {
        d->hide_iso = de->hide_iso;
        d->hide_joliet = de->hide_joliet;
        d->sort_weight = de->sort_weight;
        d->mtime = de->st.mtime;
    }
    if (parent) {
        iso_directory **pp = &parent->subdir;
        while (*pp) pp = &(*pp)->next;
        *pp = d;
        if (parent->hide_iso) d->hide_iso = 1;
        if (parent->hide_joliet) d->hide_joliet = 1;
    }
    return d;
}

/* Folders of the two sources are one folder when Windows would see one. */
static int same_name_any_case(const char *a, const char *b)
{
    for (;; a++, b++) {
        unsigned char x = (unsigned char)*a, y = (unsigned char)*b;
        if (x >= 'A' && x <= 'Z') x = (unsigned char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = (unsigned char)(y - 'A' + 'a');
        if (x != y) return 0;
        if (!x) return 1;
    }
}

iso_directory *iso_find_or_make_directory(iso_directory *parent, const char *path, iso_entry *de,
                                          int by_name)
{
    const char *name = de && de->rr_name ? de->rr_name : last_component(path);
    for (iso_directory *d = parent->subdir; d; d = d->next)
        if (by_name && strcmp(d->de_name, name) == 0) return d;
    if (parent->depth >= 32767) {
        iso_message("Directories too deep for '%s' (%d) max is %d.\n", path, parent->depth, 32767);
        iso_fatal();
    }
    return new_directory(parent, path, de);
}

void iso_init_root_directory(const char *path, const iso_stat *st)
{
    iso_root = new_directory(NULL, path, NULL);
    iso_root->mtime = iso_root_time = st->mtime;
    iso_root->dev = st->dev;
    iso_root->ino = st->ino;
}

static void keep_stat(iso_entry *e, const iso_stat *st)
{
    e->st.rdev = st->rdev;
    e->st.mtime = st->mtime;
    e->st.atime = st->atime;
    e->st.ctime = st->ctime;
    e->st.mode = st->mode;
    e->st.nlink = st->nlink;
    e->st.uid = st->uid;
    e->st.gid = st->gid;
    e->st.is_dir = (unsigned char)st->is_dir;
    e->st.is_reg = (unsigned char)st->is_reg;
    e->st.is_chr = (unsigned char)st->is_chr;
    e->st.has_identity = (unsigned char)st->has_identity;
}

/* The kept status as the record builders take it. */
static void kept_stat(const iso_entry *e, iso_stat *st)
{
    memset(st, 0, sizeof(*st));
    st->size = e->size;
    st->is_dir = e->st.is_dir;
    st->is_reg = e->st.is_reg;
    st->is_chr = e->st.is_chr;
    st->mode = e->st.mode;
    st->nlink = e->st.nlink;
    st->uid = e->st.uid;
    st->gid = e->st.gid;
    st->dev = e->dev;
    st->ino = e->ino;
    st->has_identity = e->st.has_identity;
    st->rdev = e->st.rdev;
    st->mtime = e->st.mtime;
    st->atime = e->st.atime;
    st->ctime = e->st.ctime;
}

static void fill_record(iso_entry *e, time_t t)
{
    iso_recording_date(e->rec + DR_DATE, t);
    e->rec[DR_FLAGS] = (unsigned char)((e->is_dir ? 2 : 0) | (e->hidden_attr ? 1 : 0));
    iso_set_both16(e->rec + DR_VOLSEQ, (unsigned)iso_opt.volume_sequence);
    e->rec[DR_NAME_LEN] = (unsigned char)e->iso_name_len;
    iso_set_both32(e->rec + DR_SIZE, (uint32_t)e->size);
}

static void give_identity(iso_entry *e, const iso_stat *st)
{
    if (st->has_identity && st->ino != ISO_NO_INODE) {
        e->dev = st->dev;
        e->ino = st->ino;
    } else {
        /* no file numbers on this system: a number of our own, never a marker */
        e->dev = 0;
        e->ino = ++next_identity;
        if (e->ino == ISO_NO_INODE) e->ino = ++next_identity;
    }
}

static const char *type_name(const iso_stat *st, char *buf, size_t n)
{
    if (st->is_reg) return "regular file";
    if (st->is_dir) return "dir";
    if (st->is_chr) return "chr";
    if (st->mode == 0) return "unallocated";
    snprintf(buf, n, "octal '%o'", st->mode & 0170000);
    return buf;
}

static int plain_ascii(const char *s)
{
    for (; *s; s++)
        if ((unsigned char)*s >= 0x80) return 0;
    return 1;
}

/* The name as the ISO-9660 and Rock Ridge trees hold it, in the image's
   character set; kept in rr_image when it differs from the name on disk. */
static const char *set_image_name(iso_entry *e, const char *name)
{
    static char form[1024];
    if (plain_ascii(name)) return name;
    int substituted = 0;
    int n = iso_convert_rr_name(name, form, (int)sizeof(form) - 1, &substituted);
    form[n] = 0;
    if (substituted || strcmp(form, name) != 0) {
        e->rr_image = iso_strdup(form);
        e->rr_substituted = (unsigned char)substituted;
    }
    return form;
}

int iso_insert_file_entry(iso_directory *dir, const char *whole, const char *short_name)
{
    iso_stat st;
    if (iso_plat_stat(whole, &st) != 0) {
        /* listed but not to be found: the image would be passed off without it */
        iso_message("Non-existent or inaccessible: %s\n", whole);
        iso_fatal();
    }
    if (st.is_reg) {
        int err = 0;
        if (!iso_plat_readable(whole, &err)) {
            /* leaving it out would pass off an image without it as good */
            iso_message("File %s is not readable (errno = %d)\n", whole, err);
            iso_fatal();
        }
        if (st.size > 0xFFFFFFFFull) {
            /* a single extent holds at most 4 GiB - 1: no image rather than one without it */
            iso_message("File %s is too large (%llu bytes) - an ISO-9660 file holds at most 4294967295 bytes\n",
                        whole, (unsigned long long)st.size);
            iso_fatal();
        }
    }
    if (st.is_dir) {
        if (iso_hash_find_directory(st.dev, st.ino))
            iso_message("Warning: Directory loop (%s dev: %lx ino: %lu).\n", whole,
                        (unsigned long)st.dev, (unsigned long)st.ino);
        iso_hash_add_directory(st.dev, st.ino);
    }
    if (!st.is_reg && !st.is_dir && !st.is_chr) {
        char buf[32];
        iso_message("Unknown file type (%s) %s - ignoring and continuing.\n",
                    type_name(&st, buf, sizeof(buf)), whole);
        return 0;
    }
    if (st.is_dir) {
        for (iso_directory *d = dir->subdir; d; d = d->next) {
            if (same_name_any_case(d->de_name, short_name)) {
                return iso_scan_directory_tree(d, whole, d->self);
            }
        }
    }
    iso_entry *e = (iso_entry *)iso_alloc(sizeof(iso_entry));
    e->filedir = dir;
    keep_stat(e, &st);
    e->is_dir = st.is_dir;
    e->whole_name = iso_strdup(whole);
    size_t whole_len = strlen(whole), short_len = strlen(short_name);
    if (whole_len >= short_len && strcmp(e->whole_name + whole_len - short_len, short_name) == 0) {
        e->rr_name = e->whole_name + whole_len - short_len;
        e->rr_name_in_whole = 1;
    } else {
        e->rr_name = iso_strdup(short_name);
    }
    e->hide_iso = dir->hide_iso || iso_pattern_match(short_name, LIST_HIDE_ISO) ||
                  iso_pattern_match(whole, LIST_HIDE_ISO);
    e->hidden_attr = iso_pattern_match(short_name, LIST_HIDDEN_ATTR) || iso_pattern_match(whole, LIST_HIDDEN_ATTR);
    e->hide_joliet = dir->hide_joliet || iso_pattern_match(short_name, LIST_HIDE_JOLIET) ||
                     iso_pattern_match(whole, LIST_HIDE_JOLIET);
    e->sort_weight = iso_opt.sort_weights ? iso_sort_weight_of(whole, dir->sort_weight) : dir->sort_weight;
    e->size = st.is_reg ? st.size : 0;
    give_identity(e, &st);
    iso_iso9660_file_length(set_image_name(e, short_name), e, st.is_dir);
    fill_record(e, st.mtime);
    e->next = dir->contents;
    dir->contents = e;
    if (st.is_dir) {
        iso_directory *sub = iso_find_or_make_directory(dir, whole, e, 0);
        e->subdir = sub;
        sub->dev = st.dev;
        sub->ino = st.ino;
        if (!iso_scan_directory_tree(sub, whole, e)) return 0;
    }
    iso_build_rr_records(whole, short_name, e, &st, NULL, 0);
    return 1;
}

int iso_scan_directory_tree(iso_directory *dir, const char *path, iso_entry *de)
{
    dir->scanned = 1;
    find_listing *l = listing_open(path);
    if (!l || !l->head) {
        iso_message("Unable to open directory %s\n", path);
        if (l)
            listing_close(l);
        else
            note_left_out(path);
        return 1;
    }
    if (de) {
        if (de->hide_iso) dir->hide_iso = 1;
        if (de->hide_joliet) dir->hide_joliet = 1;
        dir->sort_weight = de->sort_weight;
    }
    size_t plen = strlen(path), path_units = iso_plat_path_units(path);
    int ends_sep = plen && is_sep(path[plen - 1]);
    const char sep[2] = {iso_path_separator(path), 0};
    const char *name;
    while ((name = listing_next(l)) != NULL) {
        size_t nlen = strlen(name);
        if (!iso_opt.include_backup_names &&
            (strchr(name, '~') || strchr(name, '#') ||
             (nlen >= 4 && strcmp(name + nlen - 4, ".bak") == 0))) {
            if (iso_opt.verbosity > 0) iso_message("Ignoring file %s\n", name);
            continue;
        }
        if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
        if (iso_plat_path_units(name) + path_units + 2 > ISO_PATH_MAX) {
            iso_message("Path name %s%s%s too long.\n", path, sep, name);
            iso_message("Overflow of stat buffer\n");
            iso_fatal();
        }
        char whole[ISO_PATH_BYTES + 2];
        snprintf(whole, sizeof(whole), "%s%s%s", path, ends_sep ? "" : sep, name);
        if (iso_pattern_match(name, LIST_EXCLUDE) || iso_pattern_match(whole, LIST_EXCLUDE)) continue;
        iso_insert_file_entry(dir, whole, name);
    }
    listing_close(l);
    return 1;
}

/* ---- dot entries ---- */

static iso_entry *make_dot(iso_directory *dir, int which)
{
    iso_entry *e = (iso_entry *)iso_alloc(sizeof(iso_entry));
    iso_directory *target = which == 1 ? dir : dir->parent;
    e->filedir = dir;
    e->dot = which;
    e->is_dir = 1;
    e->subdir = target;
    e->hide_iso = dir->hide_iso;
    e->hide_joliet = dir->hide_joliet;
    e->sort_weight = dir->sort_weight;
    e->name_weight = 32767;
    e->rr_name = iso_strdup(which == 1 ? "." : "..");
    e->whole_name = iso_strdup(dir->whole_name);
    e->dev = ISO_NO_DEVICE;
    e->ino = ISO_NO_INODE;
    e->size = SECTOR_SIZE;
    iso_iso9660_file_length(e->rr_name, e, 1);
    time_t t = (dir == iso_root && which == 1) ? iso_root_time : iso_made_up_time();
    fill_record(e, t);
    iso_stat st;
    memset(&st, 0, sizeof(st));
    st.is_dir = 1;
    st.nlink = 2;
    if (which == 1 || !target->self) {
        st.mode = 0040000 | iso_opt.created_dir_mode;
        st.mtime = st.atime = st.ctime = t;
    } else {
        kept_stat(target->self, &st);
        st.mode = (st.mode & 07777) | 0040000;
    }
    if (which == 1 && dir->self && !dir->self->dot) {
        st.mtime = dir->self->st.mtime;
        st.atime = dir->self->st.atime;
        st.ctime = dir->self->st.ctime;
    }
    int deep = 0;
    if (dir == iso_root && which == 1) deep = NEED_SP | (iso_rr_er_record ? NEED_CE : 0);
    iso_build_rr_records(dir->whole_name, e->rr_name, e, &st, NULL, deep);
    e->next = dir->contents;
    dir->contents = e;
    return e;
}

static void add_dot_entries(iso_directory *dir)
{
    if (!dir->has_dotdot) {
        make_dot(dir, 2);
        dir->has_dotdot = 1;
    }
    if (!dir->has_dot) {
        make_dot(dir, 1);
        dir->has_dot = 1;
    }
}

/* ---- unique names ---- */

static void make_unique_name(iso_directory *dir, iso_entry *e, iso_entry *other)
{
    char old[ISO_NAME_ROOM];
    strcpy(old, e->iso_name);
    const char *name = e->iso_name;
    const char *dot = name[0] == '.' ? strrchr(name, '.') : strchr(name, '.');
    int base_len, ext_len;
    if (dot) {
        base_len = (int)(dot - name);
        ext_len = (int)strlen(dot);
    } else {
        const char *semi = strchr(name, ';');
        base_len = semi ? (int)(semi - name) : (int)strlen(name);
        ext_len = 0;
    }
    int room = iso_opt.iso_name_max - 3;
    /* a long extension is cut too, so the base never gets a negative length */
    if (ext_len > room - 1) ext_len = room - 1 > 0 ? room - 1 : 0;
    if (base_len + ext_len > room) base_len = room - ext_len;
    if (base_len < 0) base_len = 0;
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    char cand[ISO_NAME_ROOM];
    for (int i = 0; i < 36 * 36 * 36; i++) {
        char tail[4] = {digits[i / 1296], digits[(i / 36) % 36], digits[i % 36], 0};
        snprintf(cand, sizeof(cand), "%.*s%s%.*s", base_len, name, tail, ext_len, dot ? dot : "");
        if (!iso_name_hash_find(cand)) {
            iso_name_hash_delete(e);
            iso_set_iso_name(e, cand, (int)strlen(cand));
            e->rec[DR_NAME_LEN] = (unsigned char)e->iso_name_len;
            iso_message("Using %s for  %s%s%s (%s)\n", cand, dir->whole_name, "/", old,
                        other->rr_name ? other->rr_name : other->iso_name);
            return;
        }
    }
    iso_message("Unable to generate unique name for file %s\n", e->whole_name);
    iso_fatal();
}

/* The Rock Ridge data of an entry was built for its old ISO name length; rebuild it. */
static void rebuild_rr(iso_entry *e)
{
    if (!e->rr || e->dot) return;
    iso_free(e->rr);
    e->rr = NULL;
    iso_stat st;
    kept_stat(e, &st);
    iso_build_rr_records(e->whole_name, e->rr_name, e, &st, NULL, 0);
}

static void unique_names(iso_directory *dir)
{
    iso_name_hash_flush();
    for (iso_entry *e = dir->contents; e; e = e->next) {
        if (e->hide_iso) continue;
        iso_entry *other = iso_name_hash_find(e->iso_name);
        if (other == e) {
            iso_message("Fatal goof, file '%s' already in hash table.\n", e->whole_name);
            iso_fatal();
        }
        if (other) {
            iso_entry *renamed = (e->name_weight < other->name_weight) ? e : other;
            make_unique_name(dir, renamed, renamed == e ? other : e);
            rebuild_rr(renamed);
            if (renamed == other) iso_name_hash_add(other);
        }
        iso_name_hash_add(e);
    }
    iso_name_hash_flush();
}

/* ---- Rock Ridge names with substitutes ---- */

const char *iso_rr_image_name(const iso_entry *e) { return e->rr_image ? e->rr_image : e->rr_name; }

/* The entries of one directory by their Rock Ridge names, open addressing. */
typedef struct rr_table {
    iso_entry **slot;
    size_t mask;
} rr_table;

static size_t rr_hash(const char *s)
{
    size_t h = 2166136261u;
    for (; *s; s++) h = (h ^ (unsigned char)*s) * 16777619u;
    return h;
}

static iso_entry **rr_find(rr_table *t, const char *key)
{
    size_t i = rr_hash(key) & t->mask;
    while (t->slot[i] && strcmp(iso_rr_image_name(t->slot[i]), key) != 0) i = (i + 1) & t->mask;
    return &t->slot[i];
}

static int by_disk_name(const void *pa, const void *pb)
{
    return strcmp((*(iso_entry *const *)pa)->rr_name, (*(iso_entry *const *)pb)->rr_name);
}

/* A substitute may give two names one form, or the form of a name that fits:
   such a name gets "~N" before its extension. Equal names on disk are left
   equal, for the order to refuse. Names are taken in order of their names on
   disk, so the outcome does not hang on the listing order. */
static void unique_rr_names(iso_directory *dir)
{
    size_t n = 0, subst = 0;
    for (iso_entry *e = dir->contents; e; e = e->next) {
        if (e->hide_iso || e->dot) continue;
        n++;
        if (e->rr_substituted) subst++;
    }
    if (!subst) return;
    rr_table t;
    size_t room = 16;
    while (room < 2 * n + 2) room *= 2;
    t.slot = (iso_entry **)iso_alloc(room * sizeof(iso_entry *));
    t.mask = room - 1;
    iso_entry **late = (iso_entry **)iso_alloc(subst * sizeof(iso_entry *));
    size_t k = 0;
    for (iso_entry *e = dir->contents; e; e = e->next) {
        if (e->hide_iso || e->dot) continue;
        if (e->rr_substituted) {
            late[k++] = e;
        } else {
            iso_entry **at = rr_find(&t, iso_rr_image_name(e));
            if (!*at) *at = e;
        }
    }
    qsort(late, subst, sizeof(late[0]), by_disk_name);
    for (size_t i = 0; i < subst; i++) {
        iso_entry *e = late[i];
        iso_entry **at = rr_find(&t, e->rr_image);
        if (!*at) {
            *at = e;
            continue;
        }
        if (strcmp((*at)->rr_name, e->rr_name) == 0) continue;
        const char *other = (*at)->rr_name;
        const char *dot = strrchr(e->rr_image, '.');
        if (dot == e->rr_image) dot = NULL;
        int base = dot ? (int)(dot - e->rr_image) : (int)strlen(e->rr_image);
        char cand[1100];
        for (unsigned tag = 1;; tag++) {
            snprintf(cand, sizeof(cand), "%.*s~%u%s", base, e->rr_image, tag, dot ? dot : "");
            at = rr_find(&t, cand);
            if (!*at) break;
        }
        iso_message("Using %s for  %s%s%s (%s)\n", cand, dir->whole_name, "/", e->rr_name, other);
        iso_free(e->rr_image);
        e->rr_image = iso_strdup(cand);
        *at = e;
        rebuild_rr(e);
    }
    iso_free(late);
    iso_free(t.slot);
}

int iso_walk_susp(const unsigned char *rr, int len, const char *sig)
{
    int p = 0;
    while (len - p >= 4) {
        if (rr[p + 2] == 0) break;
        if (rr[p] == (unsigned char)sig[0] && rr[p + 1] == (unsigned char)sig[1]) return p;
        p += rr[p + 2];
    }
    return -1;
}

static uint32_t round_sector(uint32_t n) { return (n + SECTOR_SIZE - 1) / SECTOR_SIZE * SECTOR_SIZE; }

static int finish_one(iso_directory *dir)
{
    add_dot_entries(dir);
    unique_names(dir);
    unique_rr_names(dir);
    for (iso_entry *e = dir->contents; e; e = e->next) {
        if (e->hide_iso) continue;
        if (e->is_dir && !e->dot) {
            iso_path_table_size += 8 + (uint32_t)e->iso_name_len;
            if (iso_path_table_size & 1) iso_path_table_size++;
        } else if (dir == iso_root && e->dot == 1) {
            iso_path_table_size += 9;
            if (iso_path_table_size & 1) iso_path_table_size++;
        }
        int len = DR_FIXED + e->iso_name_len;
        if (len & 1) len++;
        len += e->rr_in_record;
        if (len & 1) len++;
        if (len > 255) {
            iso_message("Fatal error - RR overflow (reclen %d) for file %s\n", len, e->whole_name);
            iso_fatal();
        }
        e->rec_len = len;
        e->rec[DR_LENGTH] = (unsigned char)len;
    }
    if (iso_order_directory(&dir->contents, 0) != 0) {
        iso_message("Unable to sort directory %s\n", dir->whole_name);
        iso_fatal();
    }
    uint32_t size = 0, ce = 0;
    for (iso_entry *e = dir->contents; e; e = e->next) {
        if (e->hide_iso) continue;
        if ((size % SECTOR_SIZE) + (uint32_t)e->rec_len >= SECTOR_SIZE) size = round_sector(size);
        size += (uint32_t)e->rec_len;
        if (e->rr_total > e->rr_in_record) {
            int off = e->rr_in_record, seg_start = 0, seg_len = e->rr_in_record;
            while (1) {
                int at = iso_walk_susp(e->rr + seg_start, seg_len, "CE");
                if (at < 0 || off >= e->rr_total) break;
                uint32_t l = iso_get_le32(e->rr + seg_start + at + 20);
                if ((ce % SECTOR_SIZE) + l >= SECTOR_SIZE) ce = round_sector(ce);
                ce += l;
                if (ce & 1) ce++;
                seg_start = off;
                seg_len = (int)l;
                off += (int)l;
            }
        }
    }
    dir->size = size;
    dir->ce_bytes = ce;
    return 0;
}

static int finish_walk(iso_directory *dir)
{
    for (; dir; dir = dir->next) {
        if (dir->hide_iso) continue;
        if (finish_one(dir)) return 1;
        if (dir->subdir && finish_walk(dir->subdir)) return 1;
    }
    return 0;
}

int iso_finish_tree(iso_directory *r)
{
    /* the root is its own parent, not a sibling list: finish it, then its children */
    if (r->hide_iso) return 0;
    if (finish_one(r)) return 1;
    return finish_walk(r->subdir);
}

/* ---- link counts ---- */

static void set_px_links(iso_entry *e, unsigned n)
{
    if (!e || !e->rr) return;
    int p = 0;
    while (e->rr_in_record - p >= 4) {
        int ver = e->rr[p + 3];
        if (ver != 1 && ver != 2) iso_message("**BAD RRVERSION (%d) for %c%c\n", ver, e->rr[p], e->rr[p + 1]);
        if (e->rr[p + 2] == 0) break;
        if (e->rr[p] == 'P' && e->rr[p + 1] == 'X') {
            iso_set_both32(e->rr + p + 12, n);
            return;
        }
        p += e->rr[p + 2];
    }
}

static void links_walk(iso_directory *dir, int is_root)
{
    for (; dir; dir = is_root ? NULL : dir->next) {
        if (dir->hide_iso) continue;
        unsigned n = 2;
        for (iso_directory *s = dir->subdir; s; s = s->next)
            if (!s->hide_iso) n++;
        if (dir->self && !dir->self->dot) set_px_links(dir->self, n);
        for (iso_entry *e = dir->contents; e; e = e->next)
            if (e->dot == 1) set_px_links(e, n);
        for (iso_directory *s = dir->subdir; s; s = s->next)
            for (iso_entry *e = s->contents; e; e = e->next)
                if (e->dot == 2) set_px_links(e, n);
        if (dir->subdir) links_walk(dir->subdir, 0);
    }
}

void iso_set_link_counts(iso_directory *r) { links_walk(r, 1); }

/* ---- lookups ---- */

iso_entry *iso_search_tree_file(iso_directory *r, const char *path)
{
    iso_directory *dir = r;
    const char *p = path;
    while (*p == '/') p++;
    const char *slash;
    while ((slash = strchr(p, '/')) != NULL) {
        size_t n = (size_t)(slash - p);
        iso_directory *d = dir->subdir;
        for (; d; d = d->next)
            if (strlen(d->de_name) == n && memcmp(d->de_name, p, n) == 0) break;
        if (!d) return NULL;
        dir = d;
        p = slash + 1;
    }
    for (iso_entry *e = dir->contents; e; e = e->next)
        if (e->rr_name && strcmp(e->rr_name, p) == 0) return e;
    return NULL;
}

static int same_source(const char *a, const char *b)
{
    for (;; a++, b++) {
        char x = is_sep(*a) ? '/' : *a, y = is_sep(*b) ? '/' : *b;
        if (x == '/' && y == '/') {
            while (is_sep(a[1])) a++;
            while (is_sep(b[1])) b++;
        }
        if (x != y) return 0;
        if (!x) return 1;
    }
}

/* The entry made from the file at that source path. */
iso_entry *iso_search_tree_source(iso_directory *r, const char *source_path)
{
    for (iso_entry *e = r->contents; e; e = e->next)
        if (!e->dot && e->whole_name && !e->is_dir && same_source(e->whole_name, source_path)) return e;
    for (iso_directory *d = r->subdir; d; d = d->next) {
        iso_entry *e = iso_search_tree_source(d, source_path);
        if (e) return e;
    }
    return NULL;
}

void iso_free_directory_entries(iso_directory *dir)
{
    for (; dir; dir = dir->next) {
        while (dir->contents) {
            iso_entry *e = dir->contents;
            dir->contents = e->next;
            iso_free(e->rr);
            iso_free_iso_name(e);
            if (!e->rr_name_in_whole) iso_free(e->rr_name);
            iso_free(e->rr_image);
            iso_free(e->whole_name);
            iso_free(e->jname);
            iso_free(e);
        }
        if (dir->subdir) iso_free_directory_entries(dir->subdir);
        if (dir == dir->parent) break;
    }
}
