#!/bin/sh
# Regenerates the code-page tables of the POSIX build, one per converted page
# of src/core/codePageList.h, from the Windows build of cpgen
# (cmake --preset windows && cmake --build --preset windows --target cpgen).
set -e
cd "$(dirname "$0")/../.."
WINEDEBUG=-all wine build/windows/tools/cpgen/cpgen.exe src/core/posix
