/*
 * qelprogram: see qelprogram.h.
 *
 * One source file on purpose: a vendor adds qelprogram.h and qelprogram.c to
 * any build, with nothing to configure. The operating system's part (the
 * program's own file, opening, removing and renaming files by name) is the
 * one marked block below; everything else is portable C99.
 */
#if !defined(_WIN32) && !defined(_POSIX_C_SOURCE)
#define _POSIX_C_SOURCE 200809L
#endif

#include "qelprogram.h"

#include <errno.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

/* ---- The questions ---- */

typedef struct kind_names {
    const char* program;       /* the executable's name */
    const char* request_file;
    const char* answer_file;
    const char* request_root;  /* the request's root element */
    const char* answer_root;   /* free names: the library reads only the "Type" elements */
    const char* value_element;
} kind_names;

static const kind_names kinds[] = {
    {"ElectrodeMaterial.exe", "R_ElectrodeMat.xml", "A_ElectrodeMat.xml", "RequestElectrodeMaterial",
     "ElectrodeMaterials", "Material"},
    {"SurfaceFinish.exe", "R_SurfaceFinish.xml", "A_SurfaceFinish.xml", "RequestSurfaceFinish",
     "SurfaceFinishes", "VDI3400"},
    {"OptimumUndersize.exe", "R_OptimumUndersize.xml", "A_OptimumUndersize.xml",
     "RequestOptimumUndersize", "OptimumUndersizes", "UndersizePerSide"},
};
#define KIND_COUNT (sizeof kinds / sizeof kinds[0])

static const kind_names* names_of(qp_kind kind)
{
    return (unsigned)kind < KIND_COUNT ? &kinds[kind] : NULL;
}

const char* qp_program_name(qp_kind kind)
{
    return names_of(kind) ? kinds[kind].program : NULL;
}

const char* qp_request_file_name(qp_kind kind)
{
    return names_of(kind) ? kinds[kind].request_file : NULL;
}

const char* qp_answer_file_name(qp_kind kind)
{
    return names_of(kind) ? kinds[kind].answer_file : NULL;
}

/* ---- Errors ---- */

/* Cuts a UTF-8 sequence that a truncation left incomplete at the end. */
static void trim_utf8(char* text)
{
    size_t n = strlen(text), start = n, need;
    unsigned char lead;
    while (start > 0 && n - start < 3 && ((unsigned char)text[start - 1] & 0xC0) == 0x80)
        --start;
    if (start == 0 || (unsigned char)text[start - 1] < 0xC0)
        return;
    lead = (unsigned char)text[start - 1];
    need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (n - (start - 1) < need)
        text[start - 1] = '\0';
}

static qp_status fail(qp_error* error, qp_status code, const char* format, ...)
{
    if (error) {
        va_list arguments;
        int length;
        va_start(arguments, format);
        error->code = code;
        length = vsnprintf(error->message, sizeof error->message, format, arguments);
        va_end(arguments);
        /* A long path fills the message; what is left stays UTF-8. */
        if (length < 0 || (size_t)length >= sizeof error->message)
            trim_utf8(error->message);
    }
    return code;
}

static qp_status succeed(qp_error* error)
{
    if (error) {
        error->code = QP_OK;
        error->message[0] = '\0';
    }
    return QP_OK;
}

static qp_status out_of_memory(qp_error* error)
{
    return fail(error, QP_ERROR_MEMORY, "out of memory");
}

void qp_free(void* block)
{
    free(block);
}

/* ---- A growing block of bytes, always zero-terminated once used ---- */

typedef struct buffer {
    char* data;
    size_t size;
    size_t capacity;
} buffer;

static int buffer_reserve(buffer* b, size_t more)
{
    size_t capacity = b->capacity ? b->capacity : 64;
    char* data;
    if (more > (size_t)-1 - b->size - 1)
        return 0;
    if (b->size + more + 1 <= b->capacity)
        return 1;
    while (capacity < b->size + more + 1)
        capacity = capacity > (size_t)-1 / 2 ? b->size + more + 1 : capacity * 2;
    data = (char*)realloc(b->data, capacity);
    if (!data)
        return 0;
    b->data = data;
    b->capacity = capacity;
    return 1;
}

static int buffer_append(buffer* b, const char* bytes, size_t n)
{
    if (!buffer_reserve(b, n))
        return 0;
    memcpy(b->data + b->size, bytes, n);
    b->size += n;
    b->data[b->size] = '\0';
    return 1;
}

static int buffer_text(buffer* b, const char* text)
{
    return buffer_append(b, text, strlen(text));
}

/* ---- UTF-8 ---- */

/* The code point of the UTF-8 sequence at `s` (at most `n` bytes) and its
 * length; 0 for a sequence that is not strict UTF-8 (overlong forms,
 * surrogates, code points past U+10FFFF, truncation). */
static size_t utf8_decode(const unsigned char* s, size_t n, unsigned long* code)
{
    size_t length, k;
    unsigned long c;
    if (n == 0)
        return 0;
    if (s[0] < 0x80) {
        *code = s[0];
        return 1;
    }
    if (s[0] >= 0xC2 && s[0] <= 0xDF) {
        length = 2;
        c = s[0] & 0x1F;
    } else if (s[0] >= 0xE0 && s[0] <= 0xEF) {
        length = 3;
        c = s[0] & 0x0F;
    } else if (s[0] >= 0xF0 && s[0] <= 0xF4) {
        length = 4;
        c = s[0] & 0x07;
    } else {
        return 0;
    }
    if (n < length)
        return 0;
    for (k = 1; k < length; ++k) {
        if ((s[k] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (s[k] & 0x3F);
    }
    if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    *code = c;
    return length;
}

/* Writes the UTF-8 form of `c` (a valid code point) to `out`; its length. */
static size_t utf8_encode(unsigned long c, char* out)
{
    if (c < 0x80) {
        out[0] = (char)c;
        return 1;
    }
    if (c < 0x800) {
        out[0] = (char)(0xC0 | (c >> 6));
        out[1] = (char)(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = (char)(0xE0 | (c >> 12));
        out[1] = (char)(0x80 | ((c >> 6) & 0x3F));
        out[2] = (char)(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = (char)(0xF0 | (c >> 18));
    out[1] = (char)(0x80 | ((c >> 12) & 0x3F));
    out[2] = (char)(0x80 | ((c >> 6) & 0x3F));
    out[3] = (char)(0x80 | (c & 0x3F));
    return 4;
}

/* ==== Operating system: the one platform block ==== */
#ifdef _WIN32
#include <windows.h>

#define QP_SEPARATOR "\\"

static int is_separator(char c)
{
    return c == '\\' || c == '/';
}

/* UTF-16 of a UTF-8 text; NULL when it is not UTF-8 or memory ran out. */
static wchar_t* wide_from_utf8(const char* text)
{
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, NULL, 0);
    wchar_t* wide;
    if (n <= 0)
        return NULL;
    wide = (wchar_t*)malloc((size_t)n * sizeof(wchar_t));
    if (wide && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide, n) != n) {
        free(wide);
        wide = NULL;
    }
    return wide;
}

/* Windows hands a program no reliable argv[0]: the module's file name is
 * its full path, in UTF-16. */
static qp_status os_program_file(const char* argv0, char** path, qp_error* error)
{
    DWORD capacity = MAX_PATH;
    (void)argv0;
    for (;;) {
        wchar_t* name = (wchar_t*)malloc(capacity * sizeof(wchar_t));
        DWORD n;
        if (!name)
            return out_of_memory(error);
        n = GetModuleFileNameW(NULL, name, capacity);
        if (n == 0) {
            free(name);
            return fail(error, QP_ERROR_PROGRAM_PATH,
                        "cannot tell the program's own file (GetModuleFileNameW: error %lu)",
                        (unsigned long)GetLastError());
        }
        if (n < capacity) {
            /* A name that is not valid UTF-16 (a lone surrogate) has no UTF-8
             * form: refused rather than silently changed. */
            int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name, (int)n + 1, NULL, 0,
                                           NULL, NULL);
            *path = size > 0 ? (char*)malloc((size_t)size) : NULL;
            if (size > 0 && *path)
                WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name, (int)n + 1, *path, size,
                                    NULL, NULL);
            free(name);
            if (size <= 0)
                return fail(error, QP_ERROR_PROGRAM_PATH,
                            "the program's own file name is not valid UTF-16");
            return *path ? QP_OK : out_of_memory(error);
        }
        free(name);
        if (capacity >= 32768 * 2)
            return fail(error, QP_ERROR_PROGRAM_PATH, "the program's own file name is too long");
        capacity *= 2;
    }
}

static FILE* os_open(const char* path, const char* mode)
{
    wchar_t* wide_path = wide_from_utf8(path);
    wchar_t* wide_mode = wide_from_utf8(mode);
    FILE* file = wide_path && wide_mode ? _wfopen(wide_path, wide_mode) : NULL;
    free(wide_path);
    free(wide_mode);
    return file;
}

static void os_remove(const char* path)
{
    wchar_t* wide = wide_from_utf8(path);
    if (wide)
        _wremove(wide);
    free(wide);
}

/* Replaces `to` by `from` in one step: the library sees the old state or
 * the new one. */
static int os_replace(const char* from, const char* to)
{
    wchar_t* wide_from = wide_from_utf8(from);
    wchar_t* wide_to = wide_from_utf8(to);
    int done = wide_from && wide_to && MoveFileExW(wide_from, wide_to, MOVEFILE_REPLACE_EXISTING);
    free(wide_from);
    free(wide_to);
    return done;
}

static unsigned long os_process_id(void)
{
    return (unsigned long)GetCurrentProcessId();
}

#else /* POSIX */
#include <sys/stat.h>
#include <unistd.h>

#define QP_SEPARATOR "/"

static int is_separator(char c)
{
    return c == '/';
}

static char* join_path(const char* directory, const char* name);

/* The current directory, in a block of its own. */
static char* current_directory(void)
{
    size_t capacity = 256;
    for (;;) {
        char* cwd = (char*)malloc(capacity);
        if (!cwd)
            return NULL;
        if (getcwd(cwd, capacity))
            return cwd;
        free(cwd);
        if (errno != ERANGE || capacity > ((size_t)1 << 20))
            return NULL;
        capacity *= 2;
    }
}

/* A path as is when absolute, else taken from the current directory. */
static char* absolute(const char* path)
{
    char* cwd;
    char* result;
    if (path[0] == '/') {
        result = (char*)malloc(strlen(path) + 1);
        return result ? strcpy(result, path) : NULL;
    }
    cwd = current_directory();
    result = cwd ? join_path(cwd, path) : NULL;
    free(cwd);
    return result;
}

/* The library passes the program's full path as argv[0]. Anything else
 * that starts the program passes what it ran: a path with a "/" (relative
 * to the current directory) or a bare name looked up in PATH, as the shell
 * and execvp do. Symbolic links are kept, as Windows keeps them. This is
 * POSIX only, unlike /proc/self/exe, which would also name the target of a
 * link rather than the directory the program was started in. */
static qp_status os_program_file(const char* argv0, char** path, qp_error* error)
{
    const char* search;
    if (!argv0 || !*argv0)
        return fail(error, QP_ERROR_PROGRAM_PATH,
                    "cannot tell the program's own file: argv[0] is empty");
    if (strchr(argv0, '/')) {
        *path = absolute(argv0);
        return *path ? QP_OK : fail(error, QP_ERROR_PROGRAM_PATH,
                                    "cannot tell the program's own file: no current directory");
    }
    search = getenv("PATH");
    while (search) {
        const char* end = strchr(search, ':');
        size_t length = end ? (size_t)(end - search) : strlen(search);
        char* directory = (char*)malloc(length + 2);
        char* candidate;
        struct stat status;
        if (!directory)
            return out_of_memory(error);
        /* An empty entry is the current directory. */
        if (length == 0)
            strcpy(directory, ".");
        else {
            memcpy(directory, search, length);
            directory[length] = '\0';
        }
        candidate = join_path(directory, argv0);
        free(directory);
        if (!candidate)
            return out_of_memory(error);
        if (stat(candidate, &status) == 0 && S_ISREG(status.st_mode) &&
            access(candidate, X_OK) == 0) {
            *path = absolute(candidate);
            free(candidate);
            return *path ? QP_OK : out_of_memory(error);
        }
        free(candidate);
        search = end ? end + 1 : NULL;
    }
    return fail(error, QP_ERROR_PROGRAM_PATH,
                "cannot tell the program's own file: %s is not in PATH", argv0);
}

static FILE* os_open(const char* path, const char* mode)
{
    return fopen(path, mode);
}

static void os_remove(const char* path)
{
    remove(path);
}

static int os_replace(const char* from, const char* to)
{
    return rename(from, to) == 0;
}

static unsigned long os_process_id(void)
{
    return (unsigned long)getpid();
}

#endif
/* ==== End of the platform block ==== */

/* `directory` and `name` joined by one separator; NULL when memory ran out. */
static char* join_path(const char* directory, const char* name)
{
    size_t d = strlen(directory), n = strlen(name);
    int separate = d > 0 && !is_separator(directory[d - 1]);
    char* path = (char*)malloc(d + (size_t)separate + n + 1);
    if (!path)
        return NULL;
    memcpy(path, directory, d);
    if (separate)
        path[d] = QP_SEPARATOR[0];
    memcpy(path + d + separate, name, n + 1);
    return path;
}

FILE* qp_open_file(const char* directory, const char* name, const char* mode)
{
    char* path;
    FILE* file;
    if (!directory || !name || !mode)
        return NULL;
    path = join_path(directory, name);
    file = path ? os_open(path, mode) : NULL;
    free(path);
    return file;
}

/* ---- Where the program is ---- */

/* The index of the separator before the program's file name. */
static size_t last_separator(const char* path)
{
    size_t at = (size_t)-1, k;
    for (k = 0; path[k]; ++k)
        if (is_separator(path[k]))
            at = k;
    return at;
}

qp_status qp_exchange_directory(const char* argv0, char** directory, qp_error* error)
{
    char* path = NULL;
    size_t separator;
    qp_status status;
    if (!directory)
        return fail(error, QP_ERROR_ARGUMENT, "qp_exchange_directory: directory is NULL");
    *directory = NULL;
    status = os_program_file(argv0, &path, error);
    if (status != QP_OK)
        return status;
    separator = last_separator(path);
    if (separator == (size_t)-1) {
        free(path);
        return fail(error, QP_ERROR_PROGRAM_PATH, "the program's own file has no directory");
    }
    /* A root keeps its separator: "/", "C:\". */
    if (separator == 0 || path[separator - 1] == ':')
        ++separator;
    path[separator] = '\0';
    *directory = path;
    return succeed(error);
}

static int same_ascii_name(const char* a, size_t a_length, const char* b, size_t b_length)
{
    size_t k;
    if (b_length != a_length)
        return 0;
    for (k = 0; k < a_length; ++k) {
        char x = a[k], y = b[k];
        if (x >= 'A' && x <= 'Z')
            x = (char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = (char)(y - 'A' + 'a');
        if (x != y)
            return 0;
    }
    return 1;
}

qp_status qp_program_kind(const char* argv0, qp_kind* kind, qp_error* error)
{
    char* path = NULL;
    const char* name;
    const char* dot;
    char programs[256] = "";
    size_t k;
    qp_status status;
    if (!kind)
        return fail(error, QP_ERROR_ARGUMENT, "qp_program_kind: kind is NULL");
    status = os_program_file(argv0, &path, error);
    if (status != QP_OK)
        return status;
    name = path + last_separator(path) + 1;
    dot = strrchr(name, '.');
    for (k = 0; k < KIND_COUNT; ++k) {
        /* The program's name without ".exe" against the file's without its extension. */
        if (same_ascii_name(name, dot ? (size_t)(dot - name) : strlen(name), kinds[k].program,
                            strlen(kinds[k].program) - (sizeof ".exe" - 1))) {
            free(path);
            *kind = (qp_kind)k;
            return succeed(error);
        }
    }
    for (k = 0; k < KIND_COUNT; ++k) {
        size_t used = strlen(programs);
        snprintf(programs + used, sizeof programs - used, "%s%s",
                 k == 0 ? "" : k + 1 == KIND_COUNT ? " or " : ", ", kinds[k].program);
    }
    status = fail(error, QP_ERROR_PROGRAM_PATH,
                  "the program's file name %s asks no known question: name it %s", name, programs);
    free(path);
    return status;
}

/* ---- The request ---- */

typedef struct parameter {
    const char* name;
    const char* value; /* NULL for a null value */
} parameter;

struct qp_request {
    parameter* parameters;
    size_t count;
    char* storage; /* every name and value, each zero-terminated */
};

size_t qp_parameter_count(const qp_request* request)
{
    return request ? request->count : 0;
}

const char* qp_parameter_name(const qp_request* request, size_t index)
{
    return request && index < request->count ? request->parameters[index].name : NULL;
}

const char* qp_parameter_value(const qp_request* request, size_t index)
{
    return request && index < request->count ? request->parameters[index].value : NULL;
}

const char* qp_value(const qp_request* request, const char* name)
{
    size_t k;
    if (!request || !name)
        return NULL;
    for (k = 0; k < request->count; ++k)
        if (strcmp(request->parameters[k].name, name) == 0)
            return request->parameters[k].value ? request->parameters[k].value : "";
    return "";
}

void qp_free_request(qp_request* request)
{
    if (!request)
        return;
    free(request->parameters);
    free(request->storage);
    free(request);
}

/* Code page 1252 from 0x80 to 0x9F; the five bytes it leaves undefined
 * become the control characters of the same number, as Windows converts
 * them. */
static const unsigned short cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

/* What the parser works on: the request decoded to UTF-8. */
typedef struct reader {
    const char* text;
    size_t size;
    size_t at;
    buffer out;   /* names and values, zero-terminated one after the other */
    size_t* offsets; /* per parameter: name and value offsets into `out` */
    size_t count, capacity;
    qp_error* error;
} reader;

#define NULL_VALUE ((size_t)-1)

/* A refusal that says where: line and column (in characters) of `at`. */
static qp_status refuse_at(reader* r, const char* what)
{
    size_t line = 1, column = 1, k;
    for (k = 0; k < r->at && k < r->size; ++k) {
        if (r->text[k] == '\n') {
            ++line;
            column = 1;
        } else if (((unsigned char)r->text[k] & 0xC0) != 0x80) {
            ++column;
        }
    }
    return fail(r->error, QP_ERROR_REQUEST, "the request breaks its form at line %lu, column %lu: %s",
                (unsigned long)line, (unsigned long)column, what);
}

static int is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

static int is_name_start(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
           (unsigned char)c >= 0x80;
}

static int is_name_char(char c)
{
    return is_name_start(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

static int looking_at(const reader* r, const char* text)
{
    size_t n = strlen(text);
    return r->size - r->at >= n && memcmp(r->text + r->at, text, n) == 0;
}

static void skip_space(reader* r)
{
    while (r->at < r->size && is_space(r->text[r->at]))
        ++r->at;
}

static size_t read_name(reader* r)
{
    size_t start = r->at;
    if (r->at < r->size && is_name_start(r->text[r->at]))
        while (r->at < r->size && is_name_char(r->text[r->at]))
            ++r->at;
    return r->at - start;
}

/* What stands at the current position instead of what was expected. */
static qp_status refuse_markup(reader* r, const char* expected)
{
    char what[256];
    if (r->at >= r->size)
        snprintf(what, sizeof what, "the request ends where %s was expected", expected);
    else if (looking_at(r, "<!--"))
        snprintf(what, sizeof what, "a comment where %s was expected", expected);
    else if (looking_at(r, "<![CDATA["))
        snprintf(what, sizeof what, "a CDATA section where %s was expected", expected);
    else if (looking_at(r, "<?"))
        snprintf(what, sizeof what, "a processing instruction where %s was expected", expected);
    else if (looking_at(r, "<!"))
        snprintf(what, sizeof what, "a document type where %s was expected", expected);
    else if (looking_at(r, "<") && r->at + 1 < r->size && is_name_start(r->text[r->at + 1]))
        snprintf(what, sizeof what, "an element where %s was expected", expected);
    else
        snprintf(what, sizeof what, "unexpected text where %s was expected", expected);
    return refuse_at(r, what);
}

/* The character a reference stands for, from "&" up to ";". The library
 * writes the five predefined ones and decimal ones; hexadecimal ones are
 * XML too and cost nothing to read. */
static qp_status read_reference(reader* r, unsigned long* code)
{
    static const struct {
        const char* name;
        char c;
    } named[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    const char* start = r->text + r->at + 1;
    size_t length = 0, k;
    while (r->at + 1 + length < r->size && length < 12 && start[length] != ';')
        ++length;
    if (r->at + 1 + length >= r->size || start[length] != ';')
        return refuse_at(r, "an \"&\" that starts no reference");
    for (k = 0; k < sizeof named / sizeof named[0]; ++k) {
        if (strlen(named[k].name) == length && memcmp(start, named[k].name, length) == 0) {
            *code = (unsigned char)named[k].c;
            r->at += length + 2;
            return QP_OK;
        }
    }
    if (length >= 2 && start[0] == '#') {
        int hex = start[1] == 'x';
        unsigned long c = 0;
        size_t digits = length - 1 - (size_t)hex;
        for (k = 1 + (size_t)hex; k < length && digits > 0; ++k) {
            char d = start[k];
            unsigned v;
            if (d >= '0' && d <= '9')
                v = (unsigned)(d - '0');
            else if (hex && d >= 'a' && d <= 'f')
                v = (unsigned)(d - 'a' + 10);
            else if (hex && d >= 'A' && d <= 'F')
                v = (unsigned)(d - 'A' + 10);
            else
                break;
            c = c * (hex ? 16 : 10) + v;
            if (c > 0x10FFFF)
                break;
        }
        if (digits > 0 && k == length) {
            if (c == 0)
                return refuse_at(r, "a reference to the character U+0000, which a value "
                                    "handed over as a C string cannot hold");
            if (c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
                *code = c;
                r->at += length + 2;
                return QP_OK;
            }
        }
        return refuse_at(r, "a character reference to no character");
    }
    return refuse_at(r, "an unknown entity reference: requests use only &lt; &gt; &amp; "
                        "&quot; &apos; and character references");
}

static int add_parameter(reader* r, size_t name, size_t value)
{
    if (r->count == r->capacity) {
        size_t capacity = r->capacity ? r->capacity * 2 : 32;
        size_t* offsets = (size_t*)realloc(r->offsets, capacity * 2 * sizeof(size_t));
        if (!offsets)
            return 0;
        r->offsets = offsets;
        r->capacity = capacity;
    }
    r->offsets[2 * r->count] = name;
    r->offsets[2 * r->count + 1] = value;
    ++r->count;
    return 1;
}

/* One parameter element, at "<" followed by a name. */
static qp_status read_parameter(reader* r)
{
    const char* name;
    size_t name_length, name_offset, value_offset;
    ++r->at;
    name = r->text + r->at;
    name_length = read_name(r);
    name_offset = r->out.size;
    if (!buffer_append(&r->out, name, name_length) || !buffer_append(&r->out, "", 1))
        return out_of_memory(r->error);
    skip_space(r);
    if (looking_at(r, "/>")) {
        r->at += 2;
        return add_parameter(r, name_offset, NULL_VALUE) ? QP_OK : out_of_memory(r->error);
    }
    if (!looking_at(r, ">"))
        return refuse_at(r, "a parameter element with attributes or without \">\"");
    ++r->at;
    value_offset = r->out.size;
    while (r->at < r->size && r->text[r->at] != '<') {
        char c = r->text[r->at];
        if (c == '&') {
            unsigned long code = 0;
            char bytes[4];
            qp_status status = read_reference(r, &code);
            if (status != QP_OK)
                return status;
            if (!buffer_append(&r->out, bytes, utf8_encode(code, bytes)))
                return out_of_memory(r->error);
            continue;
        }
        /* Line ends read as XML reads them: CR LF and a lone CR are a line feed. */
        if (c == '\r') {
            c = '\n';
            if (r->at + 1 < r->size && r->text[r->at + 1] == '\n')
                ++r->at;
        }
        if (!buffer_append(&r->out, &c, 1))
            return out_of_memory(r->error);
        ++r->at;
    }
    if (!buffer_append(&r->out, "", 1))
        return out_of_memory(r->error);
    if (!looking_at(r, "</"))
        return refuse_markup(r, "a parameter's value and end tag");
    r->at += 2;
    if (r->size - r->at < name_length || memcmp(r->text + r->at, name, name_length) != 0 ||
        (r->at + name_length < r->size && is_name_char(r->text[r->at + name_length])))
        return refuse_at(r, "an end tag that does not close the parameter element");
    r->at += name_length;
    skip_space(r);
    if (!looking_at(r, ">"))
        return refuse_at(r, "an end tag without \">\"");
    ++r->at;
    return add_parameter(r, name_offset, value_offset) ? QP_OK : out_of_memory(r->error);
}

/* The document: the root element of the kind, parameter elements in it. */
static qp_status read_document(reader* r, const char* root)
{
    size_t root_length = strlen(root);
    qp_status status;
    skip_space(r);
    if (!looking_at(r, "<") || r->at + 1 >= r->size || !is_name_start(r->text[r->at + 1]))
        return refuse_markup(r, "the root element");
    ++r->at;
    if (read_name(r) != root_length || memcmp(r->text + r->at - root_length, root, root_length) != 0) {
        char what[300];
        snprintf(what, sizeof what,
                 "the root element is not <%s>: this is not a request of this program's question",
                 root);
        return fail(r->error, QP_ERROR_REQUEST, "%s", what);
    }
    skip_space(r);
    if (looking_at(r, "/>")) {
        r->at += 2;
    } else if (looking_at(r, ">")) {
        ++r->at;
        for (;;) {
            skip_space(r);
            if (looking_at(r, "</")) {
                r->at += 2;
                if (read_name(r) != root_length ||
                    memcmp(r->text + r->at - root_length, root, root_length) != 0)
                    return refuse_at(r, "an end tag that does not close the root element");
                skip_space(r);
                if (!looking_at(r, ">"))
                    return refuse_at(r, "an end tag without \">\"");
                ++r->at;
                break;
            }
            if (!looking_at(r, "<") || r->at + 1 >= r->size || !is_name_start(r->text[r->at + 1]))
                return refuse_markup(r, "a parameter element");
            status = read_parameter(r);
            if (status != QP_OK)
                return status;
        }
    } else {
        return refuse_at(r, "a root element with attributes or without \">\"");
    }
    skip_space(r);
    if (r->at != r->size)
        return refuse_at(r, "something after the root element");
    return QP_OK;
}

/* The encoding the declaration names, when there is one: only "1.0" and
 * windows-1252, which is what the library writes. `*end` is the offset after
 * "?>", 0 without a declaration. */
static qp_status read_declaration(const char* bytes, size_t size, size_t* end, qp_error* error)
{
    size_t at = 5;
    int encoding = 0;
    *end = 0;
    if (size < 6 || memcmp(bytes, "<?xml", 5) != 0 || !is_space(bytes[5]))
        return QP_OK;
    for (;;) {
        size_t name, name_length, value, value_length;
        char quote;
        while (at < size && is_space(bytes[at]))
            ++at;
        if (size - at >= 2 && memcmp(bytes + at, "?>", 2) == 0)
            break;
        for (name = at; at < size && bytes[at] >= 'a' && bytes[at] <= 'z'; ++at)
            ;
        name_length = at - name;
        while (at < size && is_space(bytes[at]))
            ++at;
        if (name_length == 0 || at >= size || bytes[at] != '=')
            return fail(error, QP_ERROR_REQUEST, "the request's XML declaration is malformed");
        ++at;
        while (at < size && is_space(bytes[at]))
            ++at;
        if (at >= size || (bytes[at] != '"' && bytes[at] != '\''))
            return fail(error, QP_ERROR_REQUEST, "the request's XML declaration is malformed");
        quote = bytes[at++];
        for (value = at; at < size && bytes[at] != quote && bytes[at] != '>'; ++at)
            ;
        if (at >= size || bytes[at] != quote)
            return fail(error, QP_ERROR_REQUEST, "the request's XML declaration is malformed");
        value_length = at++ - value;
        if (name_length == 7 && memcmp(bytes + name, "version", 7) == 0) {
            if (value_length != 3 || memcmp(bytes + value, "1.0", 3) != 0)
                return fail(error, QP_ERROR_REQUEST, "the request declares an XML version other than 1.0");
        } else if (name_length == 8 && memcmp(bytes + name, "encoding", 8) == 0) {
            if (!same_ascii_name(bytes + value, value_length, "windows-1252", strlen("windows-1252")))
                return fail(error, QP_ERROR_REQUEST,
                            "the request declares the encoding \"%.*s\": requests are ASCII or "
                            "windows-1252",
                            (int)(value_length > 40 ? 40 : value_length), bytes + value);
            encoding = 1;
        } else if (!(name_length == 10 && memcmp(bytes + name, "standalone", 10) == 0)) {
            return fail(error, QP_ERROR_REQUEST, "the request's XML declaration is malformed");
        }
    }
    if (!encoding)
        return fail(error, QP_ERROR_REQUEST,
                    "the request's XML declaration names no encoding: requests are ASCII or "
                    "windows-1252");
    *end = at + 2;
    return QP_OK;
}

/* The request's bytes as UTF-8: ASCII as is, code page 1252 converted. */
static qp_status decode_request(const char* bytes, size_t size, int cp1252, buffer* text,
                                qp_error* error)
{
    size_t k;
    if (!buffer_reserve(text, size))
        return out_of_memory(error);
    for (k = 0; k < size; ++k) {
        unsigned char c = (unsigned char)bytes[k];
        char utf8[4];
        size_t n = 1;
        if (c == 0)
            return fail(error, QP_ERROR_REQUEST, "the request holds a zero byte at offset %lu",
                        (unsigned long)k);
        if (c < 0x80)
            utf8[0] = (char)c;
        else if (!cp1252)
            return fail(error, QP_ERROR_REQUEST,
                        "the request holds the byte 0x%02X at offset %lu but no XML declaration: "
                        "a request without one is ASCII",
                        c, (unsigned long)k);
        else
            n = utf8_encode(c < 0xA0 ? cp1252_high[c - 0x80] : c, utf8);
        if (!buffer_append(text, utf8, n))
            return out_of_memory(error);
    }
    return QP_OK;
}

qp_status qp_parse_request(const char* bytes, size_t size, qp_kind kind, qp_request** request,
                           qp_error* error)
{
    const kind_names* names = names_of(kind);
    buffer text = {NULL, 0, 0};
    reader r;
    size_t declaration_end = 0, k;
    qp_status status;
    qp_request* result;
    if (!request)
        return fail(error, QP_ERROR_ARGUMENT, "qp_parse_request: request is NULL");
    *request = NULL;
    if ((!bytes && size) || !names)
        return fail(error, QP_ERROR_ARGUMENT, "qp_parse_request: no bytes or an unknown kind");
    if (size > (size_t)QP_MAX_REQUEST_BYTES)
        return fail(error, QP_ERROR_REQUEST, "the request is larger than %ld bytes",
                    (long)QP_MAX_REQUEST_BYTES);
    status = read_declaration(bytes, size, &declaration_end, error);
    if (status == QP_OK)
        status = decode_request(bytes, size, declaration_end != 0, &text, error);
    if (status != QP_OK) {
        free(text.data);
        return status;
    }
    memset(&r, 0, sizeof r);
    r.text = text.data ? text.data : "";
    r.size = text.size;
    r.at = declaration_end;
    r.error = error;
    status = read_document(&r, names->request_root);
    result = status == QP_OK ? (qp_request*)calloc(1, sizeof *result) : NULL;
    if (status == QP_OK && result && r.count)
        result->parameters = (parameter*)malloc(r.count * sizeof(parameter));
    if (status == QP_OK && (!result || (r.count && !result->parameters))) {
        qp_free_request(result);
        result = NULL;
        status = out_of_memory(error);
    }
    if (status == QP_OK) {
        result->count = r.count;
        result->storage = r.out.data;
        r.out.data = NULL;
        for (k = 0; k < r.count; ++k) {
            result->parameters[k].name = result->storage + r.offsets[2 * k];
            result->parameters[k].value =
                r.offsets[2 * k + 1] == NULL_VALUE ? NULL : result->storage + r.offsets[2 * k + 1];
        }
        *request = result;
        succeed(error);
    }
    free(r.out.data);
    free(r.offsets);
    free(text.data);
    return status;
}

qp_status qp_read_request(const char* directory, qp_kind kind, qp_request** request,
                          qp_error* error)
{
    buffer bytes = {NULL, 0, 0};
    char* path;
    FILE* file;
    qp_status status = QP_OK;
    if (!request)
        return fail(error, QP_ERROR_ARGUMENT, "qp_read_request: request is NULL");
    *request = NULL;
    if (!directory || !names_of(kind))
        return fail(error, QP_ERROR_ARGUMENT, "qp_read_request: no directory or an unknown kind");
    path = join_path(directory, kinds[kind].request_file);
    if (!path)
        return out_of_memory(error);
    file = os_open(path, "rb");
    if (!file) {
        status = fail(error, QP_ERROR_READ, "cannot open the request %s: %s", path,
                      strerror(errno));
        free(path);
        return status;
    }
    /* One byte past the limit is enough to refuse a larger file. */
    while (status == QP_OK && bytes.size <= (size_t)QP_MAX_REQUEST_BYTES) {
        size_t n;
        if (!buffer_reserve(&bytes, 65536)) {
            status = out_of_memory(error);
            break;
        }
        n = fread(bytes.data + bytes.size, 1, 65536, file);
        bytes.size += n;
        if (n < 65536) {
            if (ferror(file))
                status = fail(error, QP_ERROR_READ, "cannot read the request %s", path);
            break;
        }
    }
    fclose(file);
    free(path);
    if (status == QP_OK)
        status = qp_parse_request(bytes.data, bytes.size, kind, request, error);
    free(bytes.data);
    return status;
}

/* ---- The answer ---- */

static const char declaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
/* Around each value: "  <Type><" element ">" value "</" element "></Type>\n". */
static const char type_open[] = "  <Type><";
static const char type_close[] = "></Type>\n";

/* The reference a white-space character is written as. The library's
 * reader drops white space at the start of an element's content when a
 * reference, a tag or nothing follows it, so a value that starts with white
 * space starts with a reference; a raw carriage return would read as a line
 * feed. */
static const char* space_reference(char c)
{
    switch (c) {
    case ' ': return "&#32;";
    case '\t': return "&#09;";
    case '\n': return "&#10;";
    default: return "&#13;";
    }
}

/* Checks value `index` and adds its escaped length to `*size`, or writes
 * it escaped to `out` when that is not NULL. */
static qp_status escape_value(const char* value, size_t index, buffer* out, size_t* size,
                              qp_error* error)
{
    const unsigned char* s = (const unsigned char*)value;
    size_t n = strlen(value), k = 0, length = 0;
    if (n == 0)
        return fail(error, QP_ERROR_VALUE,
                    "answer value %lu is empty: the library refuses an answer with an empty value "
                    "(leave it out instead)",
                    (unsigned long)index + 1);
    for (k = 0; k < n;) {
        unsigned long code = 0;
        size_t step = utf8_decode(s + k, n - k, &code);
        const char* replacement = NULL;
        if (step == 0)
            return fail(error, QP_ERROR_VALUE,
                        "answer value %lu is not UTF-8: byte 0x%02X at offset %lu",
                        (unsigned long)index + 1, s[k], (unsigned long)k);
        if ((code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0xFFFE ||
            code == 0xFFFF)
            return fail(error, QP_ERROR_VALUE,
                        "answer value %lu holds U+%04lX at offset %lu, a character that XML "
                        "cannot carry",
                        (unsigned long)index + 1, code, (unsigned long)k);
        if (code == '&')
            replacement = "&amp;";
        else if (code == '<')
            replacement = "&lt;";
        else if (code == '>')
            replacement = "&gt;";
        else if (code == '\r' || (k == 0 && is_space(value[0])))
            replacement = space_reference(value[k]);
        if (out) {
            int done = replacement ? buffer_text(out, replacement)
                                   : buffer_append(out, value + k, step);
            if (!done)
                return out_of_memory(error);
        }
        length += replacement ? strlen(replacement) : step;
        k += step;
    }
    *size += length;
    return QP_OK;
}

qp_status qp_format_answer(qp_kind kind, const char* const* values, size_t count, char** bytes,
                           size_t* size, qp_error* error)
{
    const kind_names* names = names_of(kind);
    buffer out = {NULL, 0, 0};
    size_t total, k, element_length;
    qp_status status;
    if (!bytes || !size)
        return fail(error, QP_ERROR_ARGUMENT, "qp_format_answer: bytes or size is NULL");
    *bytes = NULL;
    *size = 0;
    if (!names || (!values && count))
        return fail(error, QP_ERROR_ARGUMENT, "qp_format_answer: no values or an unknown kind");
    for (k = 0; k < count; ++k)
        if (!values[k])
            return fail(error, QP_ERROR_ARGUMENT, "answer value %lu is NULL", (unsigned long)k + 1);

    /* Sized first, so that an answer the library would refuse is never
     * made. The root: "<" root ">\n" ... "</" root ">\n", or "<" root "/>\n". */
    element_length = strlen(names->value_element);
    total = strlen(declaration) +
            (count ? 2 * strlen(names->answer_root) + 7 : strlen(names->answer_root) + 4);
    for (k = 0; k < count; ++k) {
        status = escape_value(values[k], k, NULL, &total, error);
        if (status != QP_OK)
            return status;
        total += strlen(type_open) + strlen(type_close) + 2 * element_length + 3;
        if (total > (size_t)QP_MAX_ANSWER_BYTES)
            break;
    }
    if (total > (size_t)QP_MAX_ANSWER_BYTES)
        return fail(error, QP_ERROR_VALUE,
                    "the answer would be larger than %ld bytes, the most the library reads",
                    (long)QP_MAX_ANSWER_BYTES);

    if (!buffer_reserve(&out, total) || !buffer_text(&out, declaration) || !buffer_text(&out, "<") ||
        !buffer_text(&out, names->answer_root))
        goto memory;
    if (count == 0) {
        if (!buffer_text(&out, "/>\n"))
            goto memory;
    } else {
        if (!buffer_text(&out, ">\n"))
            goto memory;
        for (k = 0; k < count; ++k) {
            size_t ignored = 0;
            if (!buffer_text(&out, type_open) || !buffer_text(&out, names->value_element) ||
                !buffer_text(&out, ">"))
                goto memory;
            status = escape_value(values[k], k, &out, &ignored, error);
            if (status != QP_OK) {
                free(out.data);
                return status;
            }
            if (!buffer_text(&out, "</") || !buffer_text(&out, names->value_element) ||
                !buffer_text(&out, type_close))
                goto memory;
        }
        if (!buffer_text(&out, "</") || !buffer_text(&out, names->answer_root) ||
            !buffer_text(&out, ">\n"))
            goto memory;
    }
    *bytes = out.data;
    *size = out.size;
    return succeed(error);
memory:
    free(out.data);
    return out_of_memory(error);
}

qp_status qp_write_answer(const char* directory, qp_kind kind, const char* const* values,
                          size_t count, qp_error* error)
{
    char* bytes = NULL;
    size_t size = 0;
    char temporary_name[80];
    char* temporary;
    char* final;
    FILE* file;
    int written;
    qp_status status;
    if (!directory)
        return fail(error, QP_ERROR_ARGUMENT, "qp_write_answer: directory is NULL");
    status = qp_format_answer(kind, values, count, &bytes, &size, error);
    if (status != QP_OK)
        return status;
    /* The process id keeps two instances of the program apart (one left
     * running past the library's time limit, one started anew). */
    snprintf(temporary_name, sizeof temporary_name, "%s.%lu.tmp", kinds[kind].answer_file,
             os_process_id());
    temporary = join_path(directory, temporary_name);
    final = join_path(directory, kinds[kind].answer_file);
    if (!temporary || !final) {
        status = out_of_memory(error);
    } else if (!(file = os_open(temporary, "wb"))) {
        status = fail(error, QP_ERROR_WRITE, "cannot create %s: %s", temporary, strerror(errno));
    } else {
        written = fwrite(bytes, 1, size, file) == size;
        written = fflush(file) == 0 && written;
        written = fclose(file) == 0 && written;
        if (!written)
            status = fail(error, QP_ERROR_WRITE, "cannot write %s", temporary);
        else if (!os_replace(temporary, final))
            status = fail(error, QP_ERROR_WRITE, "cannot put the answer in place as %s", final);
        if (status != QP_OK)
            os_remove(temporary);
        else
            succeed(error);
    }
    free(bytes);
    free(temporary);
    free(final);
    return status;
}
