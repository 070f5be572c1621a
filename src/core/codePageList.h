// The Windows code pages this library names and converts, in one list: the
// name lookups read it, the POSIX build converts the pages it marks from
// tables that tools/cpgen generates for exactly those pages, and the Windows
// tests compare those tables with Windows.
#ifndef QEL_CORE_CODEPAGELIST_H
#define QEL_CORE_CODEPAGELIST_H

namespace codepage {

struct codePageRow {
    unsigned int number;
    // The name written for the page; empty when it has none.
    const char* name;
    // The lower-case charset names and aliases that stand for the page,
    // separated by single spaces. Which page an alias means is this list's
    // own choice: every ASCII and Latin-1 alias means 1252.
    const char* aliases;
    // Whether Windows converts the page as this library asks it to (strict
    // decoding, encoding with the default-character report), and so the
    // POSIX build has a generated table of it. Windows refuses 1259, which
    // it does not know, and 50225, whose conversions take neither request.
    bool converted;
};

inline constexpr codePageRow kCodePages[] = {
    {852, "IBM852", "ibm852", true},
    {866, "IBM866", "ibm866", true},
    {874, "windows-874", "windows-874", true},
    {932, "Shift-JIS",
     "cseucpkdfmtjapanese csiso2022jp csshiftjis extended_unix_code_packed_format_for_japanese "
     "iso-2022-jp ms_kanji shift-jis shift_jis x-euc x-euc-jp x-sjis",
     true},
    {936, "Chinese", "chinese csgb2312 csiso58gb231280 gb2312 gb_2312-80 hz-gb-2312 iso-ir-58", true},
    {949, "Korean",
     "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks-c-5601 ks-c-5601-1987 ks_c_5601 "
     "ks_c_5601-1987 ks_c_5601-1989 ksc-5601 ksc5601 ksc_5601",
     true},
    {950, "Big5", "big5 csbig5 x-x-big5", true},
    {1250, "windows-1250", "windows-1250 x-cp1250", true},
    {1251, "windows-1251", "windows-1251 x-cp1251", true},
    {1252, "windows-1252",
     "ansi_x3.4-1968 ansi_x3.4-1986 ascii cp367 cp819 csascii ibm367 ibm819 iso-8859-1 iso-ir-100 "
     "iso-ir-6 iso646-us iso8859-1 iso_646.irv:1991 iso_8859-1 iso_8859-1:1987 latin1 us us-ascii "
     "windows-1252",
     true},
    {1253, "windows-1253", "windows-1253", true},
    {1254, "windows-1254", "windows-1254", true},
    {1255, "windows-1255",
     "csisolatinhebrew hebrew iso-8859-8 iso-ir-138 iso_8859-8 iso_8859-8:1988 windows-1255", true},
    {1256, "windows-1256", "windows-1256", true},
    {1257, "windows-1257", "windows-1257", true},
    {1258, "windows-1258", "windows-1258", true},
    {1259, "windows-1259", "", false},
    {20866, "", "cskoi8r koi8-r", true},
    {28592, "ISO-8859-2", "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso_8859-2 iso_8859-2:1987 l2 latin2",
     true},
    {50225, "ISO-2022-kr", "csiso2022kr iso-2022-kr", false},
};

} // namespace codepage

#endif
