/* Hash tables: placed files by inode and by size (shared extents for equal
   content), directories by inode, and the ISO names of one directory. */
#include "iso.h"

#include <md5.h>
#include <string.h>

#define FILE_BUCKETS 1024
#define SIZE_BUCKETS 16384
#define NAME_BUCKETS 128

/* Placed files by inode; by size, the entries themselves are chained. */
struct file_hash {
    file_hash *next_inode;
    uint32_t dev, ino;
    uint32_t first_sector;
    uint64_t size;
    iso_entry *entry;
};

typedef struct dir_hash {
    struct dir_hash *next;
    uint32_t dev, ino;
} dir_hash;

typedef struct name_hash {
    struct name_hash *next;
    iso_entry *entry;
} name_hash;

static file_hash *inode_table[FILE_BUCKETS];
/* Placed files for sharing: those not yet digested by size, the others by size
   and first digest, and the sizes that have a digested file. A file is
   digested once a second one of its size comes, so a lookup reads no file and
   walks no chain of its size when the size is new. */
#define DIGEST_BUCKETS 65536
static iso_entry *size_table[SIZE_BUCKETS];
static iso_entry *digest_table[DIGEST_BUCKETS];
static uint64_t *digested_sizes; /* open addressing, 0 is empty (sizes are never 0) */
static size_t digested_room, digested_count;
static dir_hash *dir_table[FILE_BUCKETS];
static name_hash *name_table[NAME_BUCKETS];

static unsigned inode_bucket(uint32_t dev, uint32_t ino)
{
    return (unsigned)((dev * 257u + (dev >> 2) + ino) % FILE_BUCKETS);
}

static int no_identity(const iso_entry *e)
{
    return e->ino == ISO_NO_INODE || e->dev == ISO_NO_DEVICE;
}

/* MD5 of the first `limit` bytes (all when limit is 0); 0 when the file ends early. */
static int digest_file(const char *path, uint64_t limit, unsigned char out[16])
{
    static unsigned char buffer[32768];
    int fd = iso_plat_open_read(path);
    if (fd < 0) return 0;
    MD5_CTX ctx;
    MD5Init(&ctx);
    uint64_t left = limit;
    while (left > 0) {
        size_t want = left < sizeof(buffer) ? (size_t)left : sizeof(buffer);
        size_t got = iso_plat_read(fd, buffer, want);
        if (got != want) {
            iso_plat_close(fd);
            return 0;
        }
        MD5Update(&ctx, buffer, got);
        left -= got;
    }
    iso_plat_close(fd);
    MD5Final(out, &ctx);
    return 1;
}

static int first_digest(iso_entry *e)
{
    if (e->has_md5_first) return 1;
    if (!e->whole_name) return 0;
    uint64_t n = e->size < 65536 ? e->size : 65536;
    if (!digest_file(e->whole_name, n, e->md5_first)) return 0;
    e->has_md5_first = 1;
    if (e->size <= 65536) {
        memcpy(e->md5_whole, e->md5_first, 16);
        e->has_md5_whole = 1;
    }
    return 1;
}

static int whole_digest(iso_entry *e)
{
    if (e->has_md5_whole) return 1;
    if (!e->whole_name || !digest_file(e->whole_name, e->size, e->md5_whole)) return 0;
    e->has_md5_whole = 1;
    return 1;
}

int iso_compare_file_content(iso_entry *a, iso_entry *b)
{
    if (a->size != b->size) return 0;
    if (a->in_memory || b->in_memory) return 0;
    if (!first_digest(a) || !first_digest(b)) return 0;
    if (memcmp(a->md5_first, b->md5_first, 16) != 0) return 0;
    if (!whole_digest(a) || !whole_digest(b)) return 0;
    return memcmp(a->md5_whole, b->md5_whole, 16) == 0;
}

static unsigned digest_bucket(uint64_t size, const unsigned char *md5)
{
    uint32_t h = (uint32_t)md5[0] | ((uint32_t)md5[1] << 8) | ((uint32_t)md5[2] << 16) | ((uint32_t)md5[3] << 24);
    return (unsigned)((h ^ (uint32_t)size ^ (uint32_t)(size >> 32) * 2654435761u) % DIGEST_BUCKETS);
}

static size_t size_slot(uint64_t size)
{
    size_t i = (size_t)((size * 11400714819323198485ull) >> 20) & (digested_room - 1);
    while (digested_sizes[i] && digested_sizes[i] != size) i = (i + 1) & (digested_room - 1);
    return i;
}

static int size_digested(uint64_t size)
{
    return digested_room && digested_sizes[size_slot(size)] == size;
}

static void note_digested_size(uint64_t size)
{
    if (size_digested(size)) return;
    if ((digested_count + 1) * 2 > digested_room) {
        size_t old_room = digested_room;
        uint64_t *old = digested_sizes;
        digested_room = old_room ? old_room * 2 : 1024;
        digested_sizes = (uint64_t *)iso_alloc(sizeof(uint64_t) * digested_room);
        for (size_t i = 0; i < old_room; i++)
            if (old[i]) digested_sizes[size_slot(old[i])] = old[i];
        iso_free(old);
    }
    digested_sizes[size_slot(size)] = size;
    digested_count++;
}

static void add_digested(iso_entry *e)
{
    unsigned b = digest_bucket(e->size, e->md5_first);
    e->next_same_size = digest_table[b];
    digest_table[b] = e;
    note_digested_size(e->size);
}

/* A second file of a size: the placed ones of that size get their digests. */
static void digest_placed_of_size(const iso_entry *e)
{
    iso_entry **pp = &size_table[e->size % SIZE_BUCKETS];
    while (*pp) {
        iso_entry *r = *pp;
        if (r->size == e->size && r != e && !r->is_dir && !r->in_memory && first_digest(r)) {
            *pp = r->next_same_size;
            add_digested(r);
        } else {
            pp = &r->next_same_size;
        }
    }
}

static iso_entry *find_same_content(iso_entry *e)
{
    digest_placed_of_size(e);
    if (!size_digested(e->size) || !first_digest(e)) return NULL;
    for (iso_entry *r = digest_table[digest_bucket(e->size, e->md5_first)]; r; r = r->next_same_size)
        if (r->size == e->size && r != e && memcmp(r->md5_first, e->md5_first, 16) == 0 &&
            iso_compare_file_content(r, e))
            return r;
    return NULL;
}

void iso_hash_add_file(iso_entry *e)
{
    if (e->size && !e->first_sector) {
        iso_message("Non zero-length file '%s' assigned zero extent.\n", e->rr_name ? e->rr_name : "");
        iso_fatal();
    }
    if (!iso_opt.inode_hash && !iso_opt.share_duplicates) return;
    if (no_identity(e)) return;
    if (iso_opt.inode_hash) {
        file_hash *r = (file_hash *)iso_alloc(sizeof(file_hash));
        r->dev = e->dev;
        r->ino = e->ino;
        r->first_sector = e->first_sector;
        r->size = e->size;
        r->entry = e;
        unsigned b = inode_bucket(e->dev, e->ino);
        r->next_inode = inode_table[b];
        inode_table[b] = r;
    }
    if (iso_opt.share_duplicates && e->size != 0 && !e->is_dir) {
        if (e->has_md5_first) {
            add_digested(e);
        } else {
            unsigned b = (unsigned)(e->size % SIZE_BUCKETS);
            e->next_same_size = size_table[b];
            size_table[b] = e;
        }
    }
}

iso_entry *iso_hash_find_file(iso_entry *e)
{
    if (no_identity(e)) return NULL;
    if (iso_opt.inode_hash) {
        for (file_hash *r = inode_table[inode_bucket(e->dev, e->ino)]; r; r = r->next_inode)
            if (r->dev == e->dev && r->ino == e->ino) return r->entry;
        return NULL;
    }
    if (iso_opt.share_duplicates && e->size != 0 && !e->is_dir && !e->in_memory) {
        return find_same_content(e);
    }
    return NULL;
}

void iso_hash_flush_files(void)
{
    for (int i = 0; i < FILE_BUCKETS; i++) {
        while (inode_table[i]) {
            file_hash *r = inode_table[i];
            inode_table[i] = r->next_inode;
            iso_free(r);
        }
    }
    memset(inode_table, 0, sizeof(inode_table));
    memset(size_table, 0, sizeof(size_table));
    memset(digest_table, 0, sizeof(digest_table));
    iso_free(digested_sizes);
    digested_sizes = NULL;
    digested_room = digested_count = 0;
}

void iso_hash_add_directory(uint32_t dev, uint32_t ino)
{
    if (!iso_opt.inode_hash || ino == ISO_NO_INODE || dev == ISO_NO_DEVICE) return;
    dir_hash *d = (dir_hash *)iso_alloc(sizeof(dir_hash));
    unsigned b = inode_bucket(dev, ino);
    d->dev = dev;
    d->ino = ino;
    d->next = dir_table[b];
    dir_table[b] = d;
}

int iso_hash_find_directory(uint32_t dev, uint32_t ino)
{
    if (!iso_opt.inode_hash || ino == ISO_NO_INODE || dev == ISO_NO_DEVICE) return 0;
    for (dir_hash *d = dir_table[inode_bucket(dev, ino)]; d; d = d->next)
        if (d->dev == dev && d->ino == ino) return 1;
    return 0;
}

static unsigned name_bucket(const char *name)
{
    unsigned h = 0;
    for (const char *p = name; *p && *p != ';'; p++)
        h = (h >> 3) + h * 32776u + (unsigned)(int)(signed char)*p;
    return h % NAME_BUCKETS;
}

/* A tail is fine when empty or ';' with 1..5 digits making 1..32767. */
static int ends_well(const char *p)
{
    if (*p == 0) return 1;
    if (*p != ';') return 0;
    p++;
    int digits = 0;
    long v = 0;
    while (*p >= '0' && *p <= '9' && digits < 6) {
        v = v * 10 + (*p - '0');
        p++;
        digits++;
    }
    return *p == 0 && digits >= 1 && digits <= 5 && v >= 1 && v <= 32767;
}

static int names_match(const char *a, const char *b)
{
    while (*a && *a != ';' && *a == *b) {
        a++;
        b++;
    }
    int a_end = (*a == 0 || *a == ';'), b_end = (*b == 0 || *b == ';');
    if (!a_end || !b_end) return 0;
    if (iso_opt.debug_trace > 1 && !ends_well(a)) iso_message("'%s' does NOT END OK\n", a);
    return ends_well(a) && ends_well(b);
}

void iso_name_hash_add(iso_entry *e)
{
    name_hash *n = (name_hash *)iso_alloc(sizeof(name_hash));
    unsigned b = name_bucket(e->iso_name);
    n->entry = e;
    n->next = name_table[b];
    name_table[b] = n;
}

iso_entry *iso_name_hash_find(const char *name)
{
    if (iso_opt.debug_trace > 1) iso_message("find_hash('%s')\n", name);
    for (name_hash *n = name_table[name_bucket(name)]; n; n = n->next) {
        if (iso_opt.debug_trace > 1) iso_message("Checking name '%s' isorec.name '%s'\n", name, n->entry->iso_name);
        if (names_match(name, n->entry->iso_name)) return n->entry;
    }
    return NULL;
}

int iso_name_hash_delete(iso_entry *e)
{
    name_hash **pp = &name_table[name_bucket(e->iso_name)];
    for (; *pp; pp = &(*pp)->next) {
        if ((*pp)->entry == e) {
            name_hash *n = *pp;
            *pp = n->next;
            iso_free(n);
            return 0;
        }
    }
    return 1;
}

void iso_name_hash_flush(void)
{
    for (int i = 0; i < NAME_BUCKETS; i++) {
        while (name_table[i]) {
            name_hash *n = name_table[i];
            name_table[i] = n->next;
            iso_free(n);
        }
    }
}

void iso_hash_reset(void)
{
    memset(inode_table, 0, sizeof(inode_table));
    memset(size_table, 0, sizeof(size_table));
    memset(digest_table, 0, sizeof(digest_table));
    digested_sizes = NULL;
    digested_room = digested_count = 0;
    memset(dir_table, 0, sizeof(dir_table));
    memset(name_table, 0, sizeof(name_table));
}
