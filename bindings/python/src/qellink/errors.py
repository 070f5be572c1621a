"""Exceptions for the library's failure statuses and for loading the library.

Every failure the library reports becomes a :class:`QellinkError` whose
subclass names the stage that failed and whose ``status`` is the library's
number. The message says what to check, with the files and the exchange
directory involved.
"""

from __future__ import annotations

from typing import Dict, Optional, Type


class LibraryLoadError(OSError):
    """The library file could not be found or loaded, or lacks an export."""


class QellinkError(Exception):
    """A failure status reported by the library.

    ``status`` is the library's number (2 to 6). For a query, ``request``
    is its request name (the files are ``R_<request>.xml`` and
    ``A_<request>.xml``), ``program`` the technology program's file name and
    ``directory`` the exchange directory as set; all three are ``None`` for
    :meth:`qellink.Library.set_parameter`.
    """

    status: int

    def __init__(
        self,
        message: str,
        status: int,
        request: Optional[str] = None,
        program: Optional[str] = None,
        directory: Optional[str] = None,
    ) -> None:
        super().__init__(message)
        self.status = status
        self.request = request
        self.program = program
        self.directory = directory


class InvalidInputError(QellinkError):
    """Status 2: no exchange directory is set, or a text is not valid UTF-8."""

    status = 2


class ExchangeFileIsDirectoryError(QellinkError):
    """Status 3: the request or answer file's name is taken by a directory."""

    status = 3


class ProgramRunError(QellinkError):
    """Status 4: the request could not be written, or the program did not
    start or did not end within 60 seconds (it is then left running)."""

    status = 4


class NoAnswerError(QellinkError):
    """Status 5: the program ended without leaving an answer file."""

    status = 5


class InvalidAnswerError(QellinkError):
    """Status 6: the answer file could not be read or is not a valid answer."""

    status = 6


_BY_STATUS: Dict[int, Type[QellinkError]] = {
    cls.status: cls
    for cls in (
        InvalidInputError,
        ExchangeFileIsDirectoryError,
        ProgramRunError,
        NoAnswerError,
        InvalidAnswerError,
    )
}


def parameter_error(name: str, status: int) -> QellinkError:
    """The exception for a failed ``set_parameter_value``."""
    return _BY_STATUS.get(status, QellinkError)(
        f"parameter {name}: not valid UTF-8 text (status {status}): "
        "pass text without unpaired surrogates",
        status,
    )


def query_error(status: int, request: str, program: str, directory: Optional[str]) -> QellinkError:
    """The exception for a query that ended with ``status``.

    ``directory`` is the exchange directory as set through this binding,
    ``None`` or empty when none is.
    """
    where = directory or "(not set)"
    if status == 2 and not directory:
        message = (
            "no exchange directory is set (status 2): "
            "set ImportStudyPath, e.g. with Library.study_path()"
        )
    elif status == 2:
        message = (
            "an argument is not valid UTF-8 text (status 2): "
            "pass material names without unpaired surrogates"
        )
    elif status == 3:
        message = (
            f"R_{request}.xml or A_{request}.xml in {where} is a directory (status 3): "
            "remove or rename it"
        )
    elif status == 4:
        message = (
            f"{program} in {where} did not start or did not end within 60 seconds, "
            "or the request could not be written (status 4): check that the program "
            "is there and runs, and that the directory is writable"
        )
    elif status == 5:
        message = (
            f"{program} ended without writing an answer file A_{request}.xml (status 5): "
            f"run it by hand with R_{request}.xml in place in {where}"
        )
    elif status == 6:
        message = (
            f"the answer file A_{request}.xml in {where} is not a valid answer (status 6): "
            f"check the file and the program {program}"
        )
    else:
        message = f"the library reported status {status}"
    return _BY_STATUS.get(status, QellinkError)(message, status, request, program, directory)
