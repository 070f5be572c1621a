"""Ten thousand queries in a row: every answer is released, nothing else grows."""

from __future__ import annotations

import os
from pathlib import Path

import pytest

import qellink

# Sixteen electrodes of 64 characters for one part, in a table of the
# reference program's own: an answer that was not released would cost more
# than a kibibyte a query.
VALUES = [f"{i:02d}" + "x" * 62 for i in range(16)]
TABLE = "".join(f"electrode | {v} | 1 | 12\n" for v in VALUES) + f"part | P | 1 | 12 | {', '.join(VALUES)}\n"


def resident_kib() -> int:
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") // 1024


@pytest.mark.skipif(not os.path.exists("/proc/self/statm"), reason="reads /proc")
def test_ten_thousand_queries_keep_memory_and_descriptors_flat(
    lib: qellink.Library, reference: Path
) -> None:
    (reference / "sample-technology.txt").write_text(TABLE)
    total, settled = 10_000, 1_000  # allocators and caches have found their size by then
    with lib.study_path(reference):
        for i in range(total):
            if i == settled:
                memory, descriptors = resident_kib(), len(os.listdir("/proc/self/fd"))
            assert lib.electrode_materials("P") == VALUES
    # Unreleased answers would add more than 9000 KiB.
    assert resident_kib() < memory + 1024, f"{memory} KiB after {settled} queries"
    assert len(os.listdir("/proc/self/fd")) == descriptors
