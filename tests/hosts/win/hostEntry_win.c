/*
 * The Windows entry of the C test host. It declares the three kernel32
 * functions it needs itself and defines its own entry point, host_entry, so
 * that it links without any C runtime (/nodefaultlib, /entry:host_entry);
 * linked with mingw's runtime, main is the entry instead.
 */
#include "hostOutput.h"

typedef void* HANDLE;
__declspec(dllimport) HANDLE __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(HANDLE file, const void* data, unsigned long length,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) void __stdcall ExitProcess(unsigned int code);

#define STD_OUTPUT_HANDLE ((unsigned long)-11)

/* The Microsoft compiler's programs define this when they use floating
   point; without its runtime, the host does. */
int _fltused = 0;

void host_write(const char* text, unsigned long length)
{
    unsigned long written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &written, 0);
}

void host_entry(void)
{
    ExitProcess((unsigned int)run_host());
}

int main(void)
{
    return run_host();
}
