"""The package against the built library: answers, statuses, texts, arguments."""

from __future__ import annotations

import threading
from pathlib import Path
from typing import Any, Callable, Dict, List, Type

import pytest

import qellink
from qellink.errors import query_error

UTF8_ANSWER = (
    '<?xml version="1.0" encoding="UTF-8"?>\n'
    "<Materials>"
    "<Type><M>Kupfer-Wolfram ä€</M></Type>"
    "<Type><M>日本語</M></Type>"
    "<Type><M>Graphit \U0001f48e</M></Type>"
    "</Materials>"
).encode("utf-8")

UNDERSIZE_NUMBERS: Dict[str, Any] = dict(
    machining_depth=12.5, attack_frontal_surface=50, surface_finish=18, total_length_of_electrode=120
)

# Each query with arguments that every stand-in program accepts, and the
# request name and program the messages must name.
QUERIES = [
    pytest.param(
        lambda lib: lib.electrode_materials("1.2379"), "ElectrodeMat", "ElectrodeMaterial.exe",
        id="electrode_materials",
    ),
    pytest.param(
        lambda lib: lib.surface_finishes(part_material="1.2379", electrode_material="Copper"),
        "SurfaceFinish", "SurfaceFinish.exe", id="surface_finishes",
    ),
    pytest.param(
        lambda lib: lib.optimum_undersizes("1.2379", "Copper", **UNDERSIZE_NUMBERS),
        "OptimumUndersize", "OptimumUndersize.exe", id="optimum_undersizes",
    ),
]


def test_reference_programs_answer_the_three_questions(lib: qellink.Library, reference: Path) -> None:
    with lib.study_path(reference):
        assert lib.installed()
        assert lib.electrode_materials("1.2379") == [
            "Graphite ultrafine grain", "Copper", "Graphite fine grain", "Copper-tungsten"]
        assert lib.surface_finishes("1.2379", "Graphite fine grain") == [
            "21", "24", "27", "30", "33", "36", "39", "42", "45"]
        assert lib.optimum_undersizes("1.2379", "Copper", **UNDERSIZE_NUMBERS) == ["0.040", "0.165"]
        assert lib.electrode_materials("Unobtainium") == []


def test_version_and_hypot_come_back_whole(lib: qellink.Library) -> None:
    assert lib.api_version() == "1.0"
    assert lib.hypot(3, 4.0) == 5.0


def test_installed_needs_all_three_programs(lib: qellink.Library, reference: Path) -> None:
    with lib.study_path(reference):
        assert lib.installed()
        (reference / "SurfaceFinish.exe").unlink()
        assert not lib.installed()


@pytest.mark.parametrize("query, request_name, program", QUERIES)
@pytest.mark.parametrize(
    "program_file, answer, make_directory, error, message",
    [
        ("answers_from_file", None, "R_{request}.xml", qellink.ExchangeFileIsDirectoryError,
         "R_{request}.xml or A_{request}.xml in {directory} is a directory (status 3)"),
        ("answers_from_file", None, "A_{request}.xml", qellink.ExchangeFileIsDirectoryError,
         "R_{request}.xml or A_{request}.xml in {directory} is a directory (status 3)"),
        (None, None, None, qellink.ProgramRunError,
         "{program} in {directory} did not start or did not end within 60 seconds"),
        ("exits_at_once", None, None, qellink.NoAnswerError,
         "{program} ended without writing an answer file A_{request}.xml (status 5)"),
        ("answers_from_file", b"<A><Type>Copper</Type></A>", None, qellink.InvalidAnswerError,
         "the answer file A_{request}.xml in {directory} is not a valid answer (status 6)"),
        ("answers_from_file", b"", None, qellink.InvalidAnswerError, "(status 6)"),
    ],
    ids=["3-request-is-directory", "3-answer-is-directory", "4-no-program", "5-no-answer",
         "6-invalid-answer", "6-empty-answer"],
)
def test_failure_statuses_raise_their_exception(
    lib: qellink.Library, tmp_path: Path, stand_in: Callable[..., Path],
    query: Callable[[qellink.Library], List[str]], request_name: str, program: str,
    program_file: str | None, answer: bytes | None, make_directory: str | None,
    error: Type[qellink.QellinkError], message: str,
) -> None:
    if program_file is None:
        directory = tmp_path / "empty"
        directory.mkdir()
    else:
        directory = stand_in(program_file, answer)
    if make_directory:
        (directory / make_directory.format(request=request_name)).mkdir()
    with lib.study_path(directory), pytest.raises(error) as raised:
        query(lib)
    assert isinstance(raised.value, qellink.QellinkError)
    assert raised.value.status == error.status
    assert (raised.value.request, raised.value.program) == (request_name, program)
    assert message.format(request=request_name, program=program, directory=directory) in str(raised.value)


@pytest.mark.parametrize(
    "status, error",
    [(1, qellink.QellinkError), (2, qellink.InvalidInputError), (6, qellink.InvalidAnswerError),
     (7, qellink.QellinkError)],
)
def test_statuses_beyond_the_known_ones_raise_the_base_class(status: int, error: type) -> None:
    raised = query_error(status, "ElectrodeMat", "ElectrodeMaterial.exe", "exchange")
    assert type(raised) is error
    assert raised.status == status
    assert f"status {status}" in str(raised)


@pytest.mark.parametrize("query, request_name, program", QUERIES)
@pytest.mark.parametrize(
    "answer, values",
    [
        (b"<A/>", []),
        (b"<A><Type><M>a</M></Type></A>", ["a"]),
        (b"<A><Type><M>a</M></Type><Type><M>b</M></Type></A>", ["a", "b"]),
        (UTF8_ANSWER, ["Kupfer-Wolfram ä€", "日本語", "Graphit \U0001f48e"]),
    ],
    ids=["none", "one", "two", "beyond-ascii"],
)
def test_answers_become_lists_of_values(
    lib: qellink.Library, stand_in: Callable[..., Path],
    query: Callable[[qellink.Library], List[str]], request_name: str, program: str,
    answer: bytes, values: List[str],
) -> None:
    with lib.study_path(stand_in("answers_from_file", answer)):
        assert query(lib) == values


def test_status_2_without_an_exchange_directory(lib: qellink.Library) -> None:
    for unset in ("", None):
        lib.set_parameter(qellink.STUDY_PATH, unset)
        with pytest.raises(qellink.InvalidInputError, match=r"no exchange directory is set \(status 2\)") as raised:
            lib.electrode_materials("1.2379")
        assert raised.value.status == 2


@pytest.mark.parametrize("bad", ["\ud800", "Stahl \udcff"], ids=["high", "low"])
def test_status_2_for_text_that_is_not_unicode(lib: qellink.Library, reference: Path, bad: str) -> None:
    with lib.study_path(reference):
        with pytest.raises(qellink.InvalidInputError, match=r"not valid UTF-8 text \(status 2\)"):
            lib.surface_finishes("1.2379", bad)
        assert not (reference / "R_SurfaceFinish.xml").exists()
        with pytest.raises(qellink.InvalidInputError, match=r"parameter MachineName: not valid UTF-8"):
            lib.set_parameter("MachineName", bad)


def test_texts_beyond_ascii_reach_the_program(lib: qellink.Library, stand_in: Callable[..., Path]) -> None:
    # The request is code page 1252 once any character is beyond ASCII; what
    # that code page lacks becomes "?".
    directory = stand_in("answers_from_file", b"<A/>", name="Prüfstand 日本")
    with lib.study_path(directory):
        assert lib.installed()
        lib.set_parameter("MachineName", "Fräse 5")
        assert lib.electrode_materials("Stahl gehärtet € 日") == []
    seen = (directory / "seen_R_ElectrodeMat.xml").read_bytes()
    assert seen.startswith(b'<?xml version="1.0" encoding="windows-1252"?>')
    for expected in ("Prüfstand ??", "Fräse 5", "Stahl gehärtet € ?"):
        assert expected.encode("cp1252") in seen


def test_a_null_parameter_is_not_an_empty_one(lib: qellink.Library, stand_in: Callable[..., Path]) -> None:
    directory = stand_in("answers_from_file", b"<A/>")
    with lib.study_path(directory):
        for value, element in ((None, b"<MachineName/>"), ("", b"<MachineName></MachineName>")):
            lib.set_parameter("MachineName", value)
            lib.electrode_materials("1.2379")
            assert element in (directory / "seen_R_ElectrodeMat.xml").read_bytes()


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda lib: lib.electrode_materials(b"1.2379"), TypeError),
        (lambda lib: lib.electrode_materials(None), TypeError),
        (lambda lib: lib.electrode_materials(0x1000), TypeError),
        (lambda lib: lib.electrode_materials("1.2379\0x"), ValueError),
        (lambda lib: lib.surface_finishes("1.2379", 7.0), TypeError),
        (lambda lib: lib.optimum_undersizes(
            "1.2379", "Copper", **dict(UNDERSIZE_NUMBERS, machining_depth="12.5")), TypeError),
        (lambda lib: lib.optimum_undersizes(
            "1.2379", "Copper", **dict(UNDERSIZE_NUMBERS, surface_finish=True)), TypeError),
        (lambda lib: lib.optimum_undersizes(
            "1.2379", "Copper", **dict(UNDERSIZE_NUMBERS, total_length_of_electrode=None)), TypeError),
        (lambda lib: lib.optimum_undersizes("1.2379", "Copper", 12.5, 50, 18, 120), TypeError),
        (lambda lib: lib.set_parameter("MachineName", 5), TypeError),
        (lambda lib: lib.set_parameter(None, "x"), TypeError),
        (lambda lib: lib.hypot("3", 4), TypeError),
        (lambda lib: lib.study_path(5).__enter__(), TypeError),
    ],
    ids=["bytes", "none", "int-as-address", "null-character", "float-as-text", "text-as-number",
         "bool-as-number", "none-as-number", "numbers-by-position", "int-value", "none-name",
         "text-to-hypot", "int-as-directory"],
)
def test_wrong_arguments_are_refused_before_the_library_is_called(
    lib: qellink.Library, stand_in: Callable[..., Path], call: Callable[[qellink.Library], Any], error: type
) -> None:
    directory = stand_in("answers_from_file", b"<A/>")
    with lib.study_path(directory):
        lib.set_parameter("MachineName", "before")
        with pytest.raises(error):
            call(lib)
        assert not list(directory.glob("R_*"))
        lib.electrode_materials("1.2379")
    assert b"<MachineName>before</MachineName>" in (directory / "seen_R_ElectrodeMat.xml").read_bytes()


def test_study_path_restores_the_directory_it_replaced(
    lib: qellink.Library, reference: Path, tmp_path: Path
) -> None:
    lib.set_parameter(qellink.STUDY_PATH, str(tmp_path))
    with lib.study_path(reference):
        assert lib.installed()
        with pytest.raises(RuntimeError), lib.study_path(tmp_path / "elsewhere"):
            assert not lib.installed()
            raise RuntimeError
        assert lib.installed()
    assert not lib.installed()
    with pytest.raises(qellink.ProgramRunError, match=f"in {tmp_path} did not start"):
        lib.electrode_materials("1.2379")


def test_threads_sharing_a_library_get_their_own_answers(lib: qellink.Library, reference: Path) -> None:
    # Unserialised, the threads' queries would overwrite each other's
    # request and answer files in the one exchange directory.
    expected = {"1.2379": lib_answer(lib, reference, "1.2379"), "Carbide": lib_answer(lib, reference, "Carbide")}
    wrong: List[Any] = []

    def ask(part: str) -> None:
        for _ in range(25):
            answer: object
            try:
                answer = lib.electrode_materials(part)
            except qellink.QellinkError as error:
                answer = error
            if answer != expected[part]:
                wrong.append(answer)

    with lib.study_path(reference):
        threads = [threading.Thread(target=ask, args=(part,)) for part in ("1.2379", "Carbide") * 2]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
    assert wrong == []


def lib_answer(lib: qellink.Library, reference: Path, part: str) -> List[str]:
    with lib.study_path(reference):
        return lib.electrode_materials(part)
