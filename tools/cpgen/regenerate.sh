#!/bin/sh
# Regenerates the code-page tables of the POSIX build from the Windows build
# of cpgen (cmake --preset windows && cmake --build --preset windows).
set -e
cd "$(dirname "$0")/../.."
for cp in 852 866 874 1250 1251 1252 1253 1254 1255 1256 1257 1258 20866 28592; do
    WINEDEBUG=-all wine build/windows/tools/cpgen/cpgen.exe "$cp" > "src/core/posix/cp${cp}_table.inc"
done
