"""The extension's sources as its build makes them: the shared core, the trader and the market
data each in a folder, the core knowing nothing of either half, and nothing the market data
does written again for the trader or the core, so that a fix to what they share lands in one
place."""

import functools
import re
from pathlib import Path

import pytest

EXTENSION = Path(__file__).resolve().parents[2] / "Quorvan" / "CTP"
SOURCE_SUFFIXES = {".cpp", ".h"}
# A folder may include what stands beside or below it; the halves stand on the core.
MAY_INCLUDE = {
    "core/python": {"core/python"},
    "core": {"core", "core/python"},
    "trader": {"trader", "core", "core/python"},
    "md": {"md", "core", "core/python"},
}
SHARED_RUN = 6


def sources(folder=""):
    return sorted(path for path in (EXTENSION / folder).rglob("*")
                  if path.suffix in SOURCE_SUFFIXES)


def folder_of(path):
    return path.parent.relative_to(EXTENSION).as_posix()


def code_lines(path):
    """The lines that say something, white space folded; comments and lone punctuation go."""
    text = re.sub(r"/\*.*?\*/", "", path.read_text(), flags=re.DOTALL)
    lines = (" ".join(line.split("//")[0].split()) for line in text.splitlines())
    return [line for line in lines if re.search(r"\w", line) and not line.startswith("#include")]


def test_each_folder_is_one_build_target_of_at_most_25_files():
    folders = {folder_of(path) for path in sources()}
    assert folders == set(MAY_INCLUDE)
    for folder in folders:
        assert len([p for p in sources() if folder_of(p) == folder]) <= 25, folder


def test_no_include_runs_back_up():
    ours = {path.name: folder_of(path) for path in sources()}
    for path in sources():
        for name in re.findall(r'^#include "([^"]+)"', path.read_text(), re.MULTILINE):
            if name in ours:
                assert ours[name] in MAY_INCLUDE.get(folder_of(path), ()), f"{path} -> {name}"


def test_the_login_chain_is_not_called_a_session():
    assert not [path.name for path in sources() if "session" in path.name]


def test_every_callback_is_in_the_bridge():
    overriding = {path.relative_to(EXTENSION).as_posix() for path in sources()
                  if any(re.search(r"\boverride\b", line) for line in code_lines(path))}
    assert overriding == {"core/callback_bridge.h"}


@functools.lru_cache(maxsize=None)
def runs(path):
    lines = code_lines(path)
    return {tuple(lines[i:i + SHARED_RUN]) for i in range(len(lines) - SHARED_RUN + 1)}


@pytest.mark.parametrize("md_file", sources("md"), ids=lambda path: path.name)
def test_no_code_is_written_in_both_halves(md_file):
    md_runs = runs(md_file)
    for other in sources():
        shared = md_runs & runs(other) if folder_of(other) != "md" else set()
        assert not shared, f"{md_file.name} ~ {other.name}: {next(iter(shared))}"
