/* Pattern lists (exclude, hide, hidden attribute) and sort weights. */
#include "iso.h"

#include <string.h>

typedef struct pattern {
    struct pattern *next;
    char *text;
    int literal; /* a path compared as it stands, separators unified */
    int weight;
} pattern;

static pattern *lists[LIST_COUNT];
static pattern *weights;

/* Shell-style match: '*', '?', [set], '\' escape; wildcards do not cross '/'. */
int iso_shell_match(const char *p, const char *t)
{
    for (;; p++, t++) {
        switch (*p) {
        case 0:
            return *t == 0;
        case '?':
            if (*t == 0 || *t == '/') return 0;
            break;
        case '*':
            while (p[1] == '*') p++;
            for (;; t++) {
                if (iso_shell_match(p + 1, t)) return 1;
                if (*t == 0 || *t == '/') return 0;
            }
        case '[': {
            if (*t == 0 || *t == '/') return 0;
            const char *q = p + 1;
            int negate = (*q == '!' || *q == '^');
            if (negate) q++;
            int found = 0;
            const char *start = q;
            while (*q && (*q != ']' || q == start)) {
                unsigned char lo = (unsigned char)*q, hi = lo;
                if (q[1] == '-' && q[2] && q[2] != ']') {
                    hi = (unsigned char)q[2];
                    q += 2;
                }
                if ((unsigned char)*t >= lo && (unsigned char)*t <= hi) found = 1;
                q++;
            }
            if (*q != ']') { /* no closing bracket: a plain '[' */
                if (*t != '[') return 0;
                break;
            }
            if (found == negate) return 0;
            p = q;
            break;
        }
        case '\\':
            if (p[1]) p++;
            /* fall through */
        default:
            if (*p != *t) return 0;
        }
    }
}

static int same_path(const char *a, const char *b)
{
    for (;; a++, b++) {
        char x = *a == '\\' ? '/' : *a, y = *b == '\\' ? '/' : *b;
        /* "dir//name" and "dir/name" name the same file */
        if (x == '/' && y == '/') {
            while (a[1] == '/' || a[1] == '\\') a++;
            while (b[1] == '/' || b[1] == '\\') b++;
        }
        if (x != y) return 0;
        if (x == 0) return 1;
    }
}

static int one_matches(const pattern *p, const char *text)
{
    return p->literal ? same_path(p->text, text) : iso_shell_match(p->text, text);
}

static int add_to_list(const char *text, int list, int literal)
{
    if (list < 0 || list >= LIST_COUNT) return 0;
    pattern *p = (pattern *)iso_alloc(sizeof(pattern));
    p->text = iso_strdup(text);
    p->literal = literal;
    p->next = lists[list];
    lists[list] = p;
    return 1;
}

int iso_pattern_add(const char *text, int list) { return add_to_list(text, list, 0); }
int iso_pattern_add_path(const char *path, int list) { return add_to_list(path, list, 1); }

int iso_pattern_match(const char *name, int list)
{
    if (list < 0 || list >= LIST_COUNT) return 0;
    for (pattern *p = lists[list]; p; p = p->next)
        if (one_matches(p, name)) return 1;
    return 0;
}

int iso_pattern_list_nonempty(int list) { return list >= 0 && list < LIST_COUNT && lists[list] != NULL; }

void iso_pattern_free(int list)
{
    if (list < 0 || list >= LIST_COUNT) return;
    while (lists[list]) {
        pattern *p = lists[list];
        lists[list] = p->next;
        iso_free(p->text);
        iso_free(p);
    }
}

static int add_weight(const char *text, int weight, int literal)
{
    pattern *p = (pattern *)iso_alloc(sizeof(pattern));
    p->text = iso_strdup(text);
    p->literal = literal;
    p->weight = weight;
    p->next = weights;
    weights = p;
    return 1;
}

int iso_sort_weight_add(const char *text, int weight) { return add_weight(text, weight, 0); }
int iso_sort_weight_add_path(const char *path, int weight) { return add_weight(path, weight, 1); }

int iso_sort_weight_of(const char *path, int default_weight)
{
    for (pattern *p = weights; p; p = p->next)
        if (one_matches(p, path)) return p->weight;
    return default_weight;
}

void iso_sort_weight_free(void)
{
    while (weights) {
        pattern *p = weights;
        weights = p->next;
        iso_free(p->text);
        iso_free(p);
    }
}

void iso_match_reset(void)
{
    for (int i = 0; i < LIST_COUNT; i++) lists[i] = NULL;
    weights = NULL;
}
