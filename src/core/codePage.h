// Windows code pages: conversion between zero-terminated 8-bit text in a
// code page and zero-terminated UTF-16, with the answers Windows gives.
// Code page 0 stands for the system's ANSI code page.
#ifndef QEL_CORE_CODEPAGE_H
#define QEL_CORE_CODEPAGE_H

#include "qel_platform.h"

namespace codepage {

// As MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes, -1, out,
// capacity): the units written, terminator included. With capacity 0 only
// the count is returned. 0 when a byte sequence is undefined in the code
// page, the code page is unknown, `bytes` is null or `out` is too small.
int to_utf16(unsigned int cp, const char* bytes, apWchar* out, int capacity);

// As WideCharToMultiByte(cp, 0, text, -1, out, capacity, nullptr,
// used_default): the bytes written, terminator included, or the count
// alone with capacity 0. A character without a counterpart becomes its
// best fit or the code page's default character; *used_default (when
// given) is set to 1 when the default character was used, else to 0.
// 0 when the code page is unknown, `text` is null or `out` is too small.
int from_utf16(unsigned int cp, const apWchar* text, char* out, int capacity, int* used_default);

// The system's ANSI code page (GetACP).
unsigned int ansi_code_page();

} // namespace codepage

#endif
