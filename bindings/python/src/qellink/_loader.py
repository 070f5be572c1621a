"""Finding and loading the library file, and declaring its exports."""

from __future__ import annotations

import ctypes
import ctypes.util
import os
import sys
from typing import List, Optional, Sequence, Tuple, Union

from .errors import LibraryLoadError

ENVIRONMENT_VARIABLE = "QELLINK_LIBRARY"

if sys.platform == "win32":
    FILE_NAMES: Tuple[str, ...] = ("libqellink.dll",)
else:
    # The versioned name first: it is what an installed library is loaded
    # by; the plain one is a build tree's or a development link.
    FILE_NAMES = ("libqellink.so.1", "libqellink.so")

_int_p = ctypes.POINTER(ctypes.c_int)

# Every export with its result and argument types. Returned strings are
# declared as c_void_p, not c_char_p: the pointer itself must survive to be
# handed back to delete_string, and ctypes' default int result would cut a
# 64-bit pointer to 32 bits.
EXPORTS = {
    "api_version": (ctypes.c_void_p, ()),
    "set_parameter_value": (None, (ctypes.c_char_p, ctypes.c_char_p, _int_p)),
    "delete_string": (None, (ctypes.c_void_p,)),
    "hypot": (ctypes.c_double, (ctypes.c_double, ctypes.c_double)),
    "electrode_materials": (ctypes.c_void_p, (ctypes.c_char_p, _int_p)),
    "surface_finishes": (ctypes.c_void_p, (ctypes.c_char_p, ctypes.c_char_p, _int_p)),
    "optimum_undersizes": (
        ctypes.c_void_p,
        (ctypes.c_char_p, ctypes.c_char_p) + (ctypes.c_double,) * 4 + (_int_p,),
    ),
    "qel_installed": (ctypes.c_bool, ()),
}

PathArgument = Union[str, "os.PathLike[str]"]


def _in_directory(path: str) -> List[str]:
    if os.path.isdir(path):
        return [os.path.join(path, name) for name in FILE_NAMES]
    return [path]


def _candidates(path: Optional[PathArgument]) -> Tuple[List[str], str]:
    """The names to try in order, and where they came from (for messages)."""
    if path is not None:
        return _in_directory(os.fspath(path)), "the path given"
    from_environment = os.environ.get(ENVIRONMENT_VARIABLE, "")
    if from_environment:
        return _in_directory(from_environment), ENVIRONMENT_VARIABLE
    names = list(FILE_NAMES)
    found = ctypes.util.find_library("qellink")
    if found and found not in names:
        names.append(found)
    return names, "the platform's library search"


def _declare(library: ctypes.CDLL, name: str) -> None:
    for export, (result, arguments) in EXPORTS.items():
        try:
            function = getattr(library, export)
        except AttributeError:
            raise LibraryLoadError(f"{name} is not libqellink: it lacks the export {export}") from None
        function.restype = result
        function.argtypes = list(arguments)


def load(path: Optional[PathArgument] = None) -> Tuple[ctypes.CDLL, str]:
    """Loads the library and declares its exports; answers it and its name.

    ``path`` is the library file or a directory that holds it. Without one,
    the environment variable QELLINK_LIBRARY names the file or directory;
    without that, the platform's library search looks for
    :data:`FILE_NAMES`, then for what ``ctypes.util.find_library`` finds.
    """
    candidates, origin = _candidates(path)
    failures: List[str] = []
    for name in candidates:
        try:
            library = ctypes.CDLL(name)
        except OSError as error:
            failures.append(f"{name}: {error}")
            continue
        _declare(library, name)
        return library, name
    raise LibraryLoadError(_not_found(candidates, origin, failures))


def _not_found(candidates: Sequence[str], origin: str, failures: Sequence[str]) -> str:
    return (
        f"libqellink could not be loaded from {origin} (tried {', '.join(candidates)}): "
        f"pass its path to qellink.Library() or set {ENVIRONMENT_VARIABLE}\n  "
        + "\n  ".join(failures)
    )
