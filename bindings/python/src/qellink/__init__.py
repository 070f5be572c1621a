"""Python interface to libqellink.

The library asks three external technology programs, which live in an
exchange directory, for process values of die-sinking EDM. A query returns
the answer's values as a list of ``str``; a failure raises a
:class:`QellinkError` subclass that names the failed stage and what to
check::

    import qellink

    lib = qellink.Library()
    with lib.study_path("exchange"):
        print(lib.electrode_materials("1.2379"))

Calls are serialised by one lock: the library itself must not be called
from two threads at once.
"""

from ._loader import ENVIRONMENT_VARIABLE
from .errors import (
    ExchangeFileIsDirectoryError,
    InvalidAnswerError,
    InvalidInputError,
    LibraryLoadError,
    NoAnswerError,
    ProgramRunError,
    QellinkError,
)
from .library import STUDY_PATH, Library

__all__ = [
    "ENVIRONMENT_VARIABLE",
    "STUDY_PATH",
    "ExchangeFileIsDirectoryError",
    "InvalidAnswerError",
    "InvalidInputError",
    "Library",
    "LibraryLoadError",
    "NoAnswerError",
    "ProgramRunError",
    "QellinkError",
]
