/* Windows: main() would get the arguments in the ANSI code page, which
 * cannot carry most names and is not the UTF-8 the library takes; wmain()
 * gets them as typed, and they are converted here. Answers are UTF-8 too,
 * so a console shows them in its UTF-8 code page while the program runs. */
#include <stdlib.h>
#include <windows.h>

#include "qelqueryMain.h"

static UINT console_code_page;

static void restore_console(void)
{
    SetConsoleOutputCP(console_code_page);
}

static char* to_utf8(const wchar_t* text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char* out = size > 0 ? (char*)malloc((size_t)size) : NULL;
    if (out != NULL && WideCharToMultiByte(CP_UTF8, 0, text, -1, out, size, NULL, NULL) != size) {
        free(out);
        out = NULL;
    }
    return out;
}

int wmain(int argc, wchar_t** wargv)
{
    char** argv = (char**)calloc((size_t)argc + 1, sizeof(char*));
    if (argv == NULL)
        return 1;
    for (int i = 0; i < argc; ++i) {
        argv[i] = to_utf8(wargv[i]);
        if (argv[i] == NULL)
            return 1;
    }
    console_code_page = GetConsoleOutputCP();
    if (console_code_page != 0 && SetConsoleOutputCP(CP_UTF8))
        atexit(restore_console);
    return qelquery_main(argc, argv);
}
