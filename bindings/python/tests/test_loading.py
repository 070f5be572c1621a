"""Finding the library: an explicit path, QELLINK_LIBRARY, the platform's search."""

from __future__ import annotations

import ctypes.util
import os
import subprocess
import sys
from pathlib import Path
from typing import List

import pytest

import qellink
from conftest import built


@pytest.fixture
def versioned_only(tmp_path: Path) -> Path:
    """A directory that holds the library under its versioned name only."""
    directory = tmp_path / "lib"
    directory.mkdir()
    (directory / "libqellink.so.1").symlink_to(built("QELLINK_LIBRARY").resolve())
    return directory


@pytest.mark.parametrize(
    "how",
    ["file", "directory", "environment-file", "environment-directory"],
)
def test_found_by_path_or_environment(
    how: str, monkeypatch: pytest.MonkeyPatch, versioned_only: Path
) -> None:
    target = versioned_only if how.endswith("directory") else versioned_only / "libqellink.so.1"
    if how.startswith("environment"):
        monkeypatch.setenv(qellink.ENVIRONMENT_VARIABLE, str(target))
        library = qellink.Library()
    else:
        monkeypatch.delenv(qellink.ENVIRONMENT_VARIABLE)
        library = qellink.Library(target)
    assert library.path == str(versioned_only / "libqellink.so.1")
    assert library.api_version() == "1.0"


def test_found_by_the_platform_search(versioned_only: Path) -> None:
    # The loader's search path is read when a process starts.
    environment = dict(os.environ, LD_LIBRARY_PATH=str(versioned_only))
    del environment[qellink.ENVIRONMENT_VARIABLE]
    program = "import qellink; lib = qellink.Library(); print(lib.path, lib.api_version())"
    run = subprocess.run([sys.executable, "-c", program], env=environment, capture_output=True, text=True)
    assert (run.returncode, run.stdout, run.stderr) == (0, "libqellink.so.1 1.0\n", "")


@pytest.mark.parametrize(
    "where, told",
    [
        ("missing-file", ["the path given", "missing.so"]),
        ("empty-directory", ["the path given", "libqellink.so.1", "libqellink.so"]),
        ("not-a-library", ["the path given", "not-a-library"]),
        ("environment", [qellink.ENVIRONMENT_VARIABLE, "missing.so"]),
    ],
)
def test_a_missing_library_raises_what_was_tried(
    where: str, told: List[str], tmp_path: Path, monkeypatch: pytest.MonkeyPatch
) -> None:
    (tmp_path / "not-a-library").write_text("text\n")
    (tmp_path / "empty-directory").mkdir()
    if where == "environment":
        monkeypatch.setenv(qellink.ENVIRONMENT_VARIABLE, str(tmp_path / "missing.so"))
        path = None
    else:
        path = tmp_path / {"missing-file": "missing.so"}.get(where, where)
    with pytest.raises(qellink.LibraryLoadError) as raised:
        qellink.Library(path)
    assert isinstance(raised.value, OSError)
    for part in told:
        assert part in str(raised.value)
    assert qellink.ENVIRONMENT_VARIABLE in str(raised.value)


def test_another_library_is_refused_by_its_exports() -> None:
    other = ctypes.util.find_library("m")
    assert other
    with pytest.raises(qellink.LibraryLoadError, match=f"{other} is not libqellink: it lacks the export api_version"):
        qellink.Library(other)
