/* El Torito: the boot catalog entry, the boot record and the catalog itself. */
#include "iso.h"

#include <string.h>

typedef struct boot_entry {
    struct boot_entry *next;
    char *image_path;
    int not_bootable, no_emulation, hard_disk, boot_info_table;
    int load_size, load_segment;
} boot_entry;

static boot_entry *boot_head, *boot_tail, *boot_current;
static iso_entry *catalog_entry;
static char catalog_source[ISO_PATH_BYTES + 32];
static char first_source_path[ISO_PATH_BYTES + 1];
static int catalog_hide_iso, catalog_hide_joliet;

void iso_eltorito_reset(void)
{
    boot_head = boot_tail = boot_current = NULL;
    catalog_entry = NULL;
    catalog_source[0] = first_source_path[0] = 0;
    catalog_hide_iso = catalog_hide_joliet = 0;
}

void iso_new_boot_entry(void)
{
    if (boot_current) return;
    boot_entry *b = (boot_entry *)iso_alloc(sizeof(boot_entry));
    if (boot_tail)
        boot_tail->next = b;
    else
        boot_head = b;
    boot_tail = boot_current = b;
}

void iso_set_boot_image(const char *path, int no_emulation)
{
    iso_new_boot_entry();
    boot_current->image_path = path && *path ? iso_strdup(path) : NULL;
    boot_current->no_emulation = no_emulation;
}

static void join(char *out, size_t n, const char *dir, const char *name)
{
    size_t l = strlen(dir);
    int sep = l && (dir[l - 1] == '/' || dir[l - 1] == '\\');
    const char join_sep[2] = {iso_path_separator(dir), 0};
    snprintf(out, n, "%s%s%s", dir, sep ? "" : join_sep, name);
}

void iso_init_boot_catalog(const char *first_source)
{
    char path[ISO_PATH_BYTES + 32];
    snprintf(first_source_path, sizeof(first_source_path), "%s", first_source);
    for (boot_entry *b = boot_head; b; b = b->next) {
        if (!b->image_path) continue;
        join(path, sizeof(path), first_source, b->image_path);
        iso_sort_weight_add_path(path, iso_sort_weight_of(path, 1));
        /* the boot image itself is hidden by its path alone */
        iso_pattern_add_path(path, LIST_HIDE_ISO);
        iso_pattern_add_path(path, LIST_HIDE_JOLIET);
        iso_pattern_add_path(path, LIST_HIDDEN_ATTR);
    }
    join(catalog_source, sizeof(catalog_source), first_source, iso_opt.boot_catalog_path);
    iso_pattern_add_path(catalog_source, LIST_EXCLUDE);
    /* the catalog is made here, never read from a folder: always hidden */
    catalog_hide_iso = 1;
    catalog_hide_joliet = 1;
}

int iso_insert_boot_catalog(void)
{
    iso_entry *e = (iso_entry *)iso_alloc(sizeof(iso_entry));
    e->filedir = iso_root;
    e->size = SECTOR_SIZE;
    e->in_memory = 1;
    e->memory_data = (unsigned char *)iso_alloc(SECTOR_SIZE);
    e->hide_iso = catalog_hide_iso;
    e->hide_joliet = catalog_hide_joliet;
    e->dev = ISO_NO_DEVICE;
    e->ino = ISO_NO_INODE;
    e->sort_weight = iso_sort_weight_of(catalog_source, iso_root->sort_weight + 2);
    e->name_weight = 32768;
    e->rr_name = iso_strdup(iso_opt.boot_catalog_path);
    e->whole_name = iso_strdup(catalog_source);
    iso_iso9660_file_length(iso_opt.boot_catalog_path, e, 0);
    iso_recording_date(e->rec + DR_DATE, iso_made_up_time());
    e->rec[DR_FLAGS] = 0;
    iso_set_both16(e->rec + DR_VOLSEQ, (unsigned)iso_opt.volume_sequence);
    e->rec[DR_NAME_LEN] = (unsigned char)e->iso_name_len;
    iso_set_both32(e->rec + DR_SIZE, SECTOR_SIZE);
    e->next = iso_root->contents;
    iso_root->contents = e;
    catalog_entry = e;
    return 1;
}

static void validation_entry(unsigned char *v)
{
    memset(v, 0, 32);
    v[0] = 1;
    v[1] = 0;
    const char *id = iso_opt.publisher_ident ? iso_opt.publisher_ident : "";
    size_t n = strlen(id);
    memcpy(v + 4, id, n > 23 ? 23 : n);
    v[30] = 0x55;
    v[31] = 0xAA;
    unsigned sum = 0;
    for (int i = 0; i < 32; i += 2) sum += (unsigned)(v[i] | (v[i + 1] << 8));
    unsigned check = (0x10000u - (sum & 0xFFFF)) & 0xFFFF;
    v[28] = (unsigned char)check;
    v[29] = (unsigned char)(check >> 8);
}

void iso_write_boot_record(FILE *out)
{
    if (!boot_head || !boot_head->image_path) {
        iso_message("No boot image specified.\n");
        iso_fatal();
    }
    if (!catalog_entry || !catalog_entry->in_memory || !catalog_entry->memory_data) {
        iso_message("Uh oh, I cant find the boot catalog '%s'!\n", iso_opt.boot_catalog_path);
        iso_fatal();
    }
    unsigned char d[SECTOR_SIZE] = {0};
    d[0] = 0;
    memcpy(d + 1, "CD001", 5);
    d[6] = 1;
    memcpy(d + 7, "EL TORITO SPECIFICATION", 23);
    iso_set_le32(d + 71, catalog_entry->first_sector);

    unsigned char *cat = catalog_entry->memory_data;
    validation_entry(cat);
    int offset = 32;
    for (boot_entry *b = boot_head; b; b = b->next) {
        if (offset >= SECTOR_SIZE) {
            iso_message("Too many El Torito boot entries\n");
            iso_fatal();
        }
        /* the boot image is the file at that path under the first source folder,
           not any file of that name the user's folder may hold */
        char path[ISO_PATH_BYTES + 32];
        join(path, sizeof(path), first_source_path, b->image_path);
        iso_entry *img = iso_search_tree_source(iso_root, path);
        if (!img) {
            iso_message("Uh oh, I cant find the boot image '%s' !\n", b->image_path);
            iso_fatal();
        }
        uint32_t sectors = (uint32_t)((img->size + SECTOR_SIZE - 1) / SECTOR_SIZE);
        iso_message("Size of boot image is %d sectors -> ", (int)(sectors * 4));
        iso_message("No emulation\n");
        unsigned char *x = cat + offset;
        memset(x, 0, 32);
        x[0] = b->not_bootable ? 0x00 : 0x88;
        x[1] = 0;
        iso_set_le16(x + 2, (unsigned)b->load_segment);
        x[4] = 0;
        unsigned count = b->load_size ? (unsigned)b->load_size : sectors * 4;
        iso_set_le16(x + 6, count > 0xFFFF ? 0xFFFF : count);
        iso_set_le32(x + 8, img->first_sector);
        offset += 32;
    }
    iso_write_sectors(d, SECTOR_SIZE, 1, out);
}
