"""A host in Python: the three questions to the technology programs in an
exchange directory, then a failure.

    python3 query.py EXCHANGE-DIRECTORY

Needs the qellink package (bindings/python) and the library, found through
QELLINK_LIBRARY or the system's library search.
"""

import os
import sys
from typing import List

import qellink


def show(question: str, values: List[str]) -> None:
    print(f"{question}:")
    for value in values:
        print(f"  {value}")


def main(directory: str) -> int:
    lib = qellink.Library()
    with lib.study_path(directory):
        print(f"interface version {lib.api_version()}")
        print(f"programs installed: {'yes' if lib.installed() else 'no'}")
        show("electrode materials for 1.2379", lib.electrode_materials("1.2379"))
        show(
            "surface finishes for 1.2379 with Graphite fine grain",
            lib.surface_finishes("1.2379", "Graphite fine grain"),
        )
        show(
            "optimum undersizes for 1.2379 with Copper, 12.5 mm deep",
            lib.optimum_undersizes(
                "1.2379",
                "Copper",
                machining_depth=12.5,
                attack_frontal_surface=50,
                surface_finish=18,
                total_length_of_electrode=120,
            ),
        )
    try:
        with lib.study_path(os.path.join(directory, "no-such-directory")):
            lib.electrode_materials("1.2379")
    except qellink.ProgramRunError as error:
        print("electrode materials from a directory without programs:")
        print(f"  failed with status {error.status}")
        print(error, file=sys.stderr)
        return 0
    return 1


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: query.py EXCHANGE-DIRECTORY")
    sys.exit(main(sys.argv[1]))
