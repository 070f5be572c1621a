"""What the tests share: the library, and exchange directories to query.

The environment names the built pieces (CTest sets it):
QELLINK_LIBRARY, the library; QELLINK_EXCHANGE, an exchange directory with
the reference technology programs; QELLINK_TEST_PROGRAMS, the directory of
the stand-in programs.
"""

from __future__ import annotations

import os
import shutil
from pathlib import Path
from typing import Callable, Iterator

import pytest

import qellink

PROGRAMS = ("ElectrodeMaterial.exe", "SurfaceFinish.exe", "OptimumUndersize.exe")


def built(variable: str) -> Path:
    value = os.environ.get(variable)
    if not value:
        pytest.fail(f"{variable} is not set: run the tests through CTest or set it")
    return Path(value)


@pytest.fixture
def lib() -> Iterator[qellink.Library]:
    library = qellink.Library()
    yield library
    # Parameters outlive the Library object: leave none set for the next test.
    for name in (qellink.STUDY_PATH, "MachineName"):
        library.set_parameter(name, "")


@pytest.fixture
def reference(tmp_path: Path) -> Path:
    """The reference programs and their table in a directory of the test's
    own: other tests query the built exchange directory too."""
    directory = tmp_path / "reference"
    directory.mkdir()
    for name in PROGRAMS + ("sample-technology.txt",):
        shutil.copy2(built("QELLINK_EXCHANGE") / name, directory / name)
    return directory


@pytest.fixture
def stand_in(tmp_path: Path) -> Callable[..., Path]:
    """Makes an exchange directory whose three programs are one stand-in
    program, with ``answer`` as its answer.xml (answers_from_file answers
    every request with it)."""

    def make(program: str, answer: bytes | None = None, name: str = "exchange") -> Path:
        directory = tmp_path / name
        directory.mkdir()
        source = built("QELLINK_TEST_PROGRAMS") / program
        for target in PROGRAMS:
            shutil.copy2(source, directory / target)
        if answer is not None:
            (directory / "answer.xml").write_bytes(answer)
        return directory

    return make
