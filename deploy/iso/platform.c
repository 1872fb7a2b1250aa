/* The builder's one window into the system: file status, folder listing,
   debugger output, progress messages and code-page conversion. */
#include "iso.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>
#endif

int iso_plat_errno(void) { return errno; }

#ifdef _WIN32
/* Paths are held in UTF-8 and reach the system through the wide functions, so
   a name outside the code page is listed and opened like any other. */
#define WIDE_PATH (ISO_PATH_BYTES + 8)

static int to_wide(const char *text, wchar_t *out, int room)
{
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, out, room) > 0;
}

static int recode(UINT from, UINT to, const char *in, char *out, size_t room)
{
    wchar_t wide[1024];
    if (room == 0) return 0;
    out[0] = 0;
    if (!MultiByteToWideChar(from, 0, in, -1, wide, 1024)) return 0;
    if (!WideCharToMultiByte(to, 0, wide, -1, out, (int)room, NULL, NULL)) {
        out[0] = 0;
        return 0;
    }
    return 1;
}

int iso_plat_path_in(const char *caller_path, char *out, size_t room)
{
    return recode(CP_ACP, CP_UTF8, caller_path, out, room);
}

void iso_plat_text_out(const char *text, char *out, size_t room)
{
    if (!recode(CP_UTF8, CP_ACP, text, out, room)) snprintf(out, room, "%s", text);
}

const char *iso_plat_name_charset(void) { return "utf8"; }

size_t iso_plat_path_units(const char *path)
{
    size_t n = 0;
    for (const unsigned char *p = (const unsigned char *)path; *p; p++)
        if ((*p & 0xC0) != 0x80) n += *p >= 0xF0 ? 2 : 1;
    return n;
}

FILE *iso_plat_fopen(const char *path, const char *mode)
{
    wchar_t wpath[WIDE_PATH], wmode[8];
    if (!to_wide(path, wpath, WIDE_PATH) || !to_wide(mode, wmode, 8)) return NULL;
    return _wfopen(wpath, wmode);
}

int iso_plat_remove(const char *path)
{
    wchar_t wpath[WIDE_PATH];
    if (!to_wide(path, wpath, WIDE_PATH)) return -1;
    return _wremove(wpath);
}

/* Source files are read through plain descriptors: no stream buffer and no
   status call for each of many small files. */
int iso_plat_open_read(const char *path)
{
    wchar_t wpath[WIDE_PATH];
    if (!to_wide(path, wpath, WIDE_PATH)) return -1;
    return _wopen(wpath, _O_RDONLY | _O_BINARY);
}
static long read_some(int fd, void *buffer, size_t size)
{
    return _read(fd, buffer, size > 0x40000000u ? 0x40000000u : (unsigned)size);
}
void iso_plat_close(int fd) { _close(fd); }
#else
int iso_plat_path_in(const char *caller_path, char *out, size_t room)
{
    return (size_t)snprintf(out, room, "%s", caller_path) < room;
}

void iso_plat_text_out(const char *text, char *out, size_t room) { snprintf(out, room, "%s", text); }

const char *iso_plat_name_charset(void) { return iso_plat_system_charset(); }

size_t iso_plat_path_units(const char *path) { return strlen(path); }

FILE *iso_plat_fopen(const char *path, const char *mode) { return fopen(path, mode); }

int iso_plat_remove(const char *path) { return remove(path); }

int iso_plat_open_read(const char *path)
{
    return open(path, O_RDONLY);
}
static long read_some(int fd, void *buffer, size_t size)
{
    ssize_t n;
    do {
        n = read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return (long)n;
}
void iso_plat_close(int fd) { close(fd); }
#endif

size_t iso_plat_read(int fd, void *buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        long n = read_some(fd, (unsigned char *)buffer + done, size - done);
        if (n <= 0) break;
        done += (size_t)n;
    }
    return done;
}

#ifdef _WIN32
/* the C library of Windows keeps the time zone it read first */
void iso_plat_read_time_zone(void) {}
void iso_plat_local_time(time_t t, struct tm *out) { *out = *localtime(&t); }
void iso_plat_gm_time(time_t t, struct tm *out) { *out = *gmtime(&t); }
#else
/* localtime() looks at the zone file on every call; localtime_r keeps the
   zone that tzset read at the start of the run */
void iso_plat_read_time_zone(void) { tzset(); }
void iso_plat_local_time(time_t t, struct tm *out) { localtime_r(&t, out); }
void iso_plat_gm_time(time_t t, struct tm *out) { gmtime_r(&t, out); }
#endif

#ifdef _WIN32

int iso_plat_stat(const char *path, iso_stat *st)
{
    struct _stati64 s;
    wchar_t wpath[WIDE_PATH];
    memset(st, 0, sizeof(*st));
    if (!to_wide(path, wpath, WIDE_PATH)) return -1;
    /* the C library refuses "C:\dir\"; keep "C:\" and "\" as they are */
    size_t n = wcslen(wpath);
    if (n > 1 && (wpath[n - 1] == L'\\' || wpath[n - 1] == L'/') && wpath[n - 2] != L':') wpath[n - 1] = 0;
    if (_wstati64(wpath, &s) != 0) return -1;
    st->size = (uint64_t)s.st_size;
    st->is_dir = (s.st_mode & _S_IFMT) == _S_IFDIR;
    st->is_reg = (s.st_mode & _S_IFMT) == _S_IFREG;
    st->is_chr = (s.st_mode & _S_IFMT) == _S_IFCHR;
    /* Windows gives no POSIX permissions worth keeping: readable by all */
    st->mode = st->is_dir ? (0040000 | 0555) : (0100000 | 0444);
    st->nlink = 1;
    st->dev = (uint32_t)s.st_dev;
    st->ino = ISO_NO_INODE;
    st->has_identity = 0;
    st->mtime = s.st_mtime;
    st->atime = s.st_atime;
    st->ctime = s.st_ctime;
    return 0;
}

int iso_plat_readable(const char *path, int *err)
{
    wchar_t wpath[WIDE_PATH];
    if (!to_wide(path, wpath, WIDE_PATH)) {
        *err = EINVAL;
        return 0;
    }
    if (_waccess(wpath, 4) == 0) return 1;
    *err = errno;
    return 0;
}

int iso_plat_list(const char *path, iso_name_fn fn, void *context)
{
    wchar_t pattern[WIDE_PATH];
    if (!to_wide(path, pattern, WIDE_PATH - 2)) return -1;
    size_t n = wcslen(pattern);
    if (n && pattern[n - 1] != L'/' && pattern[n - 1] != L'\\' && pattern[n - 1] != L':') pattern[n++] = L'/';
    pattern[n++] = L'*';
    pattern[n] = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) return -1;
    do {
        /* a name of MAX_PATH UTF-16 units takes at most three bytes each */
        char name[3 * MAX_PATH + 1];
        if (WideCharToMultiByte(CP_UTF8, 0, fd.cFileName, -1, name, (int)sizeof(name), NULL, NULL) > 0)
            fn(context, name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return 0;
}

void iso_plat_debug_output(const char *text) { OutputDebugStringA(text); }

void iso_plat_progress_start(void *progress)
{
    if (!progress) return;
    SendMessageA((HWND)progress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA((HWND)progress, PBM_SETSTEP, 1, 0);
}

void iso_plat_progress(void *progress, void *owner, int percent)
{
    if (progress) SendMessageA((HWND)progress, PBM_SETPOS, (WPARAM)percent, 0);
    if (owner) SendMessageA((HWND)owner, ISO_PROGRESS_MESSAGE, (WPARAM)percent, 0);
}

int iso_plat_cp_to_unicode(int codepage, const unsigned char *in, int avail, unsigned *code)
{
    UINT cp = codepage ? (UINT)codepage : CP_ACP;
    WCHAR w[2];
    if (avail < 1) return CS_TOO_SHORT;
    int len = IsDBCSLeadByteEx(cp, in[0]) ? 2 : 1;
    if (len > avail) return CS_TOO_SHORT;
    if (MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, (LPCSTR)in, len, w, 2) != 1)
        return CS_NO_MAPPING;
    *code = w[0];
    return len;
}

int iso_plat_cp_from_unicode(int codepage, unsigned code, unsigned char *out, int room)
{
    UINT cp = codepage ? (UINT)codepage : CP_ACP;
    WCHAR w = (WCHAR)code;
    char buf[8];
    BOOL used_default = FALSE;
    if (room < 1) return CS_TOO_SHORT;
    int n = WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, &w, 1, buf, sizeof(buf), NULL,
                                &used_default);
    if (n <= 0 || used_default) return CS_NO_MAPPING;
    if (n > room) return CS_TOO_SHORT;
    memcpy(out, buf, (size_t)n);
    return n;
}

const char *iso_plat_system_charset(void)
{
    static char name[16];
    UINT acp = GetACP();
    if (acp == 65001) return "utf8";
    snprintf(name, sizeof(name), "cp%u", acp);
    if (!iso_charset_load(name)) return "acp";
    return name;
}

#else /* POSIX */

int iso_plat_stat(const char *path, iso_stat *st)
{
    struct stat s;
    memset(st, 0, sizeof(*st));
    if (stat(path, &s) != 0) return -1;
    st->size = (uint64_t)s.st_size;
    st->is_dir = S_ISDIR(s.st_mode);
    st->is_reg = S_ISREG(s.st_mode);
    st->is_chr = S_ISCHR(s.st_mode);
    st->mode = (unsigned)s.st_mode;
    st->nlink = (unsigned)s.st_nlink;
    st->uid = (unsigned)s.st_uid;
    st->gid = (unsigned)s.st_gid;
    st->dev = (uint32_t)s.st_dev;
    st->ino = (uint32_t)s.st_ino;
    st->has_identity = 1;
    st->rdev = (uint64_t)s.st_rdev;
    st->mtime = s.st_mtime;
    st->atime = s.st_atime;
    st->ctime = s.st_ctime;
    return 0;
}

int iso_plat_readable(const char *path, int *err)
{
    if (access(path, R_OK) == 0) return 1;
    *err = errno;
    return 0;
}

int iso_plat_list(const char *path, iso_name_fn fn, void *context)
{
    DIR *d = opendir(path);
    if (!d) return -1;
    struct dirent *e;
    while ((e = readdir(d)) != NULL) fn(context, e->d_name);
    closedir(d);
    return 0;
}

void iso_plat_debug_output(const char *text) { (void)text; }

void iso_plat_progress_start(void *progress) { (void)progress; }

void iso_plat_progress(void *progress, void *owner, int percent)
{
    (void)progress;
    (void)owner;
    (void)percent;
}

/* Converters stay open for the life of the process, one pair per code page. */
typedef struct cp_pair {
    int codepage;
    iconv_t to_u, from_u;
} cp_pair;

static cp_pair pairs[16];

static cp_pair *pair_for(int codepage)
{
    for (int i = 0; i < 16; i++) {
        if (pairs[i].codepage == codepage) return &pairs[i];
        if (pairs[i].codepage == 0) {
            char name[32];
            snprintf(name, sizeof(name), "CP%d", codepage);
            iconv_t a = iconv_open("UTF-32LE", name);
            iconv_t b = iconv_open(name, "UTF-32LE");
            if (a == (iconv_t)-1 || b == (iconv_t)-1) {
                if (a != (iconv_t)-1) iconv_close(a);
                if (b != (iconv_t)-1) iconv_close(b);
                return NULL;
            }
            pairs[i].codepage = codepage;
            pairs[i].to_u = a;
            pairs[i].from_u = b;
            return &pairs[i];
        }
    }
    return NULL;
}

int iso_plat_cp_to_unicode(int codepage, const unsigned char *in, int avail, unsigned *code)
{
    cp_pair *p = pair_for(codepage ? codepage : 1252);
    if (!p) return CS_NO_MAPPING;
    if (avail < 1) return CS_TOO_SHORT;
    for (int len = 1; len <= 2 && len <= avail; len++) {
        unsigned char out[8];
        char *ip = (char *)in, *op = (char *)out;
        size_t il = (size_t)len, ol = sizeof(out);
        iconv(p->to_u, NULL, NULL, NULL, NULL);
        size_t r = iconv(p->to_u, &ip, &il, &op, &ol);
        if (r != (size_t)-1 && il == 0 && ol == 4) {
            uint32_t u = out[0] | (out[1] << 8) | (out[2] << 16) | ((uint32_t)out[3] << 24);
            if (u > 0xFFFF) return CS_NO_MAPPING;
            *code = u;
            return len;
        }
        if (r == (size_t)-1 && errno == EINVAL) continue; /* a lead byte: take one more */
        return CS_NO_MAPPING;
    }
    return avail < 2 ? CS_TOO_SHORT : CS_NO_MAPPING;
}

int iso_plat_cp_from_unicode(int codepage, unsigned code, unsigned char *out, int room)
{
    cp_pair *p = pair_for(codepage ? codepage : 1252);
    if (!p) return CS_NO_MAPPING;
    if (room < 1) return CS_TOO_SHORT;
    unsigned char in[4] = {(unsigned char)code, (unsigned char)(code >> 8), 0, 0};
    unsigned char buf[8];
    char *ip = (char *)in, *op = (char *)buf;
    size_t il = 4, ol = sizeof(buf);
    iconv(p->from_u, NULL, NULL, NULL, NULL);
    if (iconv(p->from_u, &ip, &il, &op, &ol) == (size_t)-1) return CS_NO_MAPPING;
    int n = (int)(sizeof(buf) - ol);
    if (n > room) return CS_TOO_SHORT;
    memcpy(out, buf, (size_t)n);
    return n;
}

const char *iso_plat_system_charset(void)
{
    const char *lc = getenv("LC_ALL");
    if (!lc || !*lc) lc = getenv("LC_CTYPE");
    if (!lc || !*lc) lc = getenv("LANG");
    if (!lc || !*lc || strcmp(lc, "C") == 0 || strcmp(lc, "POSIX") == 0) return "utf8";
    if (strstr(lc, "GBK") || strstr(lc, "gbk") || strstr(lc, "GB2312")) return "cp936";
    if (strstr(lc, "SJIS")) return "cp932";
    if (strstr(lc, "ISO-8859-1") || strstr(lc, "iso88591")) return "iso8859-1";
    if (strstr(lc, "CP1252")) return "cp1252";
    return "utf8";
}

#endif
