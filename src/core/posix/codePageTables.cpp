// The single-byte code pages the POSIX build converts from tables generated
// on Windows (tools/cpgen).
#include "core/posix/singleByteTable.h"

namespace codepage {

namespace {
#include "core/posix/cp852_table.inc"
#include "core/posix/cp866_table.inc"
#include "core/posix/cp874_table.inc"
#include "core/posix/cp1250_table.inc"
#include "core/posix/cp1251_table.inc"
#include "core/posix/cp1252_table.inc"
#include "core/posix/cp1253_table.inc"
#include "core/posix/cp1254_table.inc"
#include "core/posix/cp1255_table.inc"
#include "core/posix/cp1256_table.inc"
#include "core/posix/cp1257_table.inc"
#include "core/posix/cp1258_table.inc"
#include "core/posix/cp20866_table.inc"
#include "core/posix/cp28592_table.inc"
} // namespace

const singleByteTable* single_byte_table(unsigned int cp)
{
    static const singleByteTable* const tables[] = {
        &kCodePage852,  &kCodePage866,  &kCodePage874,  &kCodePage1250,  &kCodePage1251,
        &kCodePage1252, &kCodePage1253, &kCodePage1254, &kCodePage1255,  &kCodePage1256,
        &kCodePage1257, &kCodePage1258, &kCodePage20866, &kCodePage28592,
    };
    for (const singleByteTable* table : tables)
        if (table->code_page == cp)
            return table;
    return nullptr;
}

} // namespace codepage
