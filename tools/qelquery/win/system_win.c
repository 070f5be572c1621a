/* Windows: the performance counter, file attributes, GetBinaryTypeW and the
 * wide-character C runtime, with paths converted from UTF-8. */
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

#include "qelquerySystem.h"

/* A new wide copy of a UTF-8 path; NULL when it is not UTF-8. */
static wchar_t* wide(const char* text)
{
    int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, NULL, 0);
    wchar_t* out = size > 0 ? (wchar_t*)malloc((size_t)size * sizeof(wchar_t)) : NULL;
    if (out != NULL && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, out, size) != size) {
        free(out);
        out = NULL;
    }
    return out;
}

double qq_seconds(void)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

enum qq_kind qq_file_kind(const char* path)
{
    wchar_t* name = wide(path);
    DWORD attributes = name ? GetFileAttributesW(name) : INVALID_FILE_ATTRIBUTES;
    free(name);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return QQ_NOTHING;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return QQ_DIRECTORY;
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return QQ_OTHER;
    return QQ_FILE;
}

int qq_is_executable(const char* path)
{
    wchar_t* name = wide(path);
    DWORD type = 0;
    BOOL executable = name ? GetBinaryTypeW(name, &type) : FALSE;
    free(name);
    return executable != FALSE;
}

int qq_directory_takes_files(const char* path)
{
    wchar_t* directory = wide(path);
    if (directory == NULL)
        return 0;
    wchar_t probe[MAX_PATH + 64];
    int written = _snwprintf(probe, MAX_PATH + 63, L"%ls\\.qelquery-probe-%lu", directory,
                             (unsigned long)GetCurrentProcessId());
    free(directory);
    if (written < 0)
        return 0;
    probe[MAX_PATH + 63] = L'\0';
    HANDLE file = CreateFileW(probe, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(file);
    return 1;
}

FILE* qq_open_read(const char* path)
{
    wchar_t* name = wide(path);
    FILE* file = name ? _wfopen(name, L"rb") : NULL;
    free(name);
    return file;
}
