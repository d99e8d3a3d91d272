"""The simulator's source tree stays small enough to find one's way in."""
from pathlib import Path

SIMTRADER = Path(__file__).resolve().parents[2] / "simtrader"


def test_no_folder_of_the_simulator_holds_more_than_25_source_files():
    crowded = {}
    for folder in [SIMTRADER, *(path for path in SIMTRADER.rglob("*") if path.is_dir())]:
        sources = [path for path in folder.iterdir() if path.suffix in (".h", ".cpp")]
        if len(sources) > 25:
            crowded[str(folder.relative_to(SIMTRADER.parent))] = len(sources)
    assert crowded == {}
