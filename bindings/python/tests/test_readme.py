"""The project README's Python snippet, run as a user runs it."""

from __future__ import annotations

import re
import subprocess
import sys
from pathlib import Path

README = Path(__file__).resolve().parents[3] / "README.md"
DEMO_EXCHANGE = "build/native/exchange"


def test_the_readme_snippet_prints_what_the_readme_shows(reference: Path) -> None:
    found = re.search(r"```python\n(.*?)```\n\n```text\n(.*?)```", README.read_text(), re.S)
    assert found, f"no Python snippet followed by its output in {README}"
    snippet, shown = found.groups()
    assert DEMO_EXCHANGE in snippet
    # A fresh interpreter, against a copy of the demo exchange directory.
    run = subprocess.run(
        [sys.executable, "-c", snippet.replace(DEMO_EXCHANGE, str(reference))],
        capture_output=True, text=True,
    )
    assert (run.stderr, run.stdout) == ("", shown)
