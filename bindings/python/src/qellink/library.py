"""The library's functions as methods of :class:`Library`."""

from __future__ import annotations

import ctypes
import numbers
import os
import threading
from contextlib import contextmanager
from typing import Dict, Iterator, List, NamedTuple, Optional

from . import _loader
from .errors import QellinkError, parameter_error, query_error

STUDY_PATH = "ImportStudyPath"

# The library keeps its parameters process-wide and guards nothing with a
# lock, so one lock serialises every call made through this package, from
# every Library object.
_lock = threading.RLock()

# What this package has set, per loaded library (the same file loaded twice
# gives the same handle): the library cannot be asked, and study_path()
# restores from here.
_parameters_by_handle: Dict[int, Dict[str, Optional[str]]] = {}


class _Query(NamedTuple):
    export: str
    request: str
    program: str


_ELECTRODE_MATERIALS = _Query("electrode_materials", "ElectrodeMat", "ElectrodeMaterial.exe")
_SURFACE_FINISHES = _Query("surface_finishes", "SurfaceFinish", "SurfaceFinish.exe")
_OPTIMUM_UNDERSIZES = _Query("optimum_undersizes", "OptimumUndersize", "OptimumUndersize.exe")


def _text(argument: str, what: str) -> bytes:
    """UTF-8 bytes for the library; argument types are checked here, since
    ctypes would take an int for a char pointer and pass it as an address.

    Unpaired surrogates pass as the bytes they would have, which are not
    UTF-8: the library's own check then reports status 2.
    """
    if not isinstance(argument, str):
        raise TypeError(f"{what} must be str, not {type(argument).__name__}")
    if "\0" in argument:
        raise ValueError(f"{what} holds a null character")
    return argument.encode("utf-8", "surrogatepass")


def _number(argument: float, what: str) -> float:
    if isinstance(argument, bool) or not isinstance(argument, numbers.Real):
        raise TypeError(f"{what} must be a real number, not {type(argument).__name__}")
    return float(argument)


class Library:
    """libqellink, loaded into this process.

    ``path`` is the library file or a directory that holds it; without it,
    the environment variable ``QELLINK_LIBRARY`` names one, and without that
    the platform's library search finds ``libqellink.so.1``,
    ``libqellink.so`` or ``libqellink.dll``. Raises
    :class:`~qellink.LibraryLoadError` when none loads. ``path`` holds the
    name the library was loaded by.

    Parameters belong to the process, not to this object: every Library
    over the same file shares them. The library itself may only be called
    from one thread at a time; this package takes one lock around each call,
    so threads may share a Library, and their queries (each up to 60
    seconds) run one after the other.
    """

    def __init__(self, path: Optional[_loader.PathArgument] = None) -> None:
        self._library, self.path = _loader.load(path)
        with _lock:
            self._parameters = _parameters_by_handle.setdefault(self._library._handle, {})

    def api_version(self) -> str:
        """The version of the library's interface, such as ``"1.0"``."""
        with _lock:
            return self._take(self._library.api_version()) or ""

    def installed(self) -> bool:
        """Whether the three technology programs are in the exchange directory
        (in the current directory when none is set)."""
        with _lock:
            return bool(self._library.qel_installed())

    def hypot(self, x: float, y: float) -> float:
        """The C runtime's length of the hypotenuse of ``x`` and ``y``."""
        x, y = _number(x, "x"), _number(y, "y")
        with _lock:
            return float(self._library.hypot(x, y))

    def set_parameter(self, name: str, value: Optional[str]) -> None:
        """Sets a named parameter for all following queries.

        ``None`` stores a null value (written as an empty element), distinct
        from ``""``. Raises :class:`~qellink.InvalidInputError` for text that
        is not valid Unicode.
        """
        encoded_name = _text(name, "name")
        encoded_value = None if value is None else _text(value, "value")
        status = ctypes.c_int(-1)
        with _lock:
            self._library.set_parameter_value(encoded_name, encoded_value, ctypes.byref(status))
            if status.value == 0:
                self._parameters[name] = value
        if status.value != 0:
            raise parameter_error(name, status.value)

    @contextmanager
    def study_path(self, directory: _loader.PathArgument) -> Iterator[None]:
        """Sets the exchange directory (``ImportStudyPath``) for a ``with``
        block and restores the value it had through this package (empty
        when it had none) when the block ends."""
        with _lock:
            previous = self._parameters.get(STUDY_PATH, "")
        self.set_parameter(STUDY_PATH, os.fsdecode(os.fspath(directory)))
        try:
            yield
        finally:
            self.set_parameter(STUDY_PATH, previous)

    def electrode_materials(self, part_material: str) -> List[str]:
        """The electrode materials that suit ``part_material``."""
        return self._query(_ELECTRODE_MATERIALS, _text(part_material, "part_material"))

    def surface_finishes(self, part_material: str, electrode_material: str) -> List[str]:
        """The surface finishes the part and electrode material pair can reach."""
        return self._query(
            _SURFACE_FINISHES,
            _text(part_material, "part_material"),
            _text(electrode_material, "electrode_material"),
        )

    def optimum_undersizes(
        self,
        part_material: str,
        electrode_material: str,
        *,
        machining_depth: float,
        attack_frontal_surface: float,
        surface_finish: float,
        total_length_of_electrode: float,
    ) -> List[str]:
        """The optimum electrode undersizes for a cavity.

        The numbers are passed as given; the request carries
        ``attack_frontal_surface / 100`` and ``total_length_of_electrode /
        1000``.
        """
        return self._query(
            _OPTIMUM_UNDERSIZES,
            _text(part_material, "part_material"),
            _text(electrode_material, "electrode_material"),
            _number(machining_depth, "machining_depth"),
            _number(attack_frontal_surface, "attack_frontal_surface"),
            _number(surface_finish, "surface_finish"),
            _number(total_length_of_electrode, "total_length_of_electrode"),
        )

    def _query(self, query: _Query, *arguments: object) -> List[str]:
        status = ctypes.c_int(-1)
        with _lock:
            function = getattr(self._library, query.export)
            answer = self._take(function(*arguments, ctypes.byref(status)))
            directory = self._parameters.get(STUDY_PATH)
        if status.value != 0:
            raise query_error(status.value, query.request, query.program, directory)
        if answer is None:
            raise QellinkError(f"{query.export} answered no text with status 0", 0)
        return answer.split("\n") if answer else []

    def _take(self, pointer: Optional[int]) -> Optional[str]:
        """The text at ``pointer``, which is released at once."""
        if pointer is None:
            return None
        try:
            return ctypes.string_at(pointer).decode("utf-8")
        finally:
            self._library.delete_string(pointer)
