"""The package as users get it: a wheel installed into a fresh venv, and a build against a
vendor SDK.

Each test runs a full build from the sources, so the sanitizer run, which is about the
code rather than its packaging, leaves them out.
"""

import importlib.util
import os
import re
import shutil
import subprocess
import sys
import sysconfig
from pathlib import Path

import pytest

from test_stubs import run_mypy

SOURCE_ROOT = Path(__file__).resolve().parents[2]
GENERATED = ("ApiStruct.py", "ApiConst.py", "ApiStruct.pyi", "ApiConst.pyi", "TraderApiBase.pyi",
             "MdApiBase.pyi")
VENDOR_HEADERS = ("ThostFtdcTraderApi.h", "ThostFtdcMdApi.h", "ThostFtdcUserApiStruct.h",
                  "ThostFtdcUserApiDataType.h")
TRADER_LIBRARY = "libthosttraderapi_se.so"
MD_LIBRARY = "libthostmduserapi_se.so"
VENDOR_LIBRARIES = (TRADER_LIBRARY, MD_LIBRARY)
# The SQLite the simulated library's store links, carried by the wheel beside it.
SQLITE_LIBRARY = "libsqlite3.so.0"

pytestmark = [
    pytest.mark.skipif("QUORVAN_SANITIZED" in os.environ,
                       reason="full builds; the sanitizer run checks the code, not its packaging"),
    pytest.mark.timeout(1800),
]


def run(args, **kwargs):
    """Run a command; on failure, fail the test with everything it printed."""
    args = [str(arg) for arg in args]
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            **kwargs)
    if result.returncode != 0:
        pytest.fail(f"{' '.join(args)} exited with {result.returncode}:\n{result.stdout}",
                    pytrace=False)
    return result.stdout


def pyproject_version():
    (version,) = re.findall(r'^version = "([^"]+)"$',
                            (SOURCE_ROOT / "pyproject.toml").read_text(), re.M)
    return version


def run_python_from(package_root, code, cwd):
    """Run code in a fresh interpreter that sees only package_root, with no library path
    help: the extension has to find the trader library through its own rpath."""
    env = {name: value for name, value in os.environ.items()
           if name not in ("PYTHONPATH", "LD_LIBRARY_PATH", "LD_PRELOAD")}
    env["PYTHONPATH"] = str(package_root)
    return run([sys.executable, "-c", code], cwd=cwd, env=env)


def copy_sources(destination):
    """The source tree without build products, as a fresh clone has it."""
    shutil.copytree(SOURCE_ROOT, destination, ignore=shutil.ignore_patterns(
        ".git", "build", "build-*", "__pycache__", ".pytest_cache", ".hypothesis", "*.so",
        "_version.py", *GENERATED))


def staged_simulated_library(name):
    package = importlib.util.find_spec("Quorvan.CTP")
    library = Path(next(iter(package.submodule_search_locations))) / name
    if not library.exists():
        pytest.fail(f"no simulated library beside the package under test: {library}")
    return library


def test_the_wheel_installs_into_a_fresh_venv_and_runs_the_demo(tmp_path):
    source = tmp_path / "source"
    copy_sources(source)
    sources = {path.relative_to(source) for path in (source / "Quorvan").rglob("*")
               if path.suffix in (".py", ".pyi") or path.name == "py.typed"}
    # Leftovers of in-place builds must not reach the wheel: the records and their stubs have
    # to come from this build's headers, and an extension built for another interpreter is
    # junk.
    stale = 'raise ImportError("stale record module from the source tree")\n'
    for name in GENERATED:
        (source / "Quorvan" / "CTP" / name).write_text(stale)
    (source / "Quorvan" / "CTP" / "TraderApiBase.cpython-30-x86_64-linux-gnu.so").write_text(stale)

    wheels = tmp_path / "wheels"
    run([sys.executable, "-m", "pip", "wheel", "--no-build-isolation", "--no-deps",
         "--wheel-dir", wheels, source])
    (wheel,) = wheels.glob("*.whl")
    venv = tmp_path / "venv"
    run([sys.executable, "-m", "venv", venv])
    python = venv / "bin" / "python"
    run([python, "-m", "pip", "install", "--no-index", "--no-deps", wheel])

    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    shutil.copy(SOURCE_ROOT / "examples" / "demo.py", elsewhere)
    env = {name: value for name, value in os.environ.items()
           if name not in ("PYTHONPATH", "LD_LIBRARY_PATH", "LD_PRELOAD")}
    output = run([python, "demo.py"], cwd=elsewhere, env=env)
    assert "Trader Ready!" in output and "Positions:" in output
    site = Path(run([python, "-c", "import Quorvan; print(Quorvan.__file__)"], cwd=elsewhere,
                    env=env).strip()).parents[1]
    assert venv in site.parents
    version = run([python, "-c", "import Quorvan; print(Quorvan.__version__)"], cwd=elsewhere,
                  env=env).strip()
    assert version == pyproject_version() and version == run(
        [python, "-c", "import importlib.metadata as m; print(m.version('Quorvan'))"],
        cwd=elsewhere, env=env).strip()
    products = {Path("Quorvan", "CTP", name) for name in (
        *GENERATED, *VENDOR_LIBRARIES, SQLITE_LIBRARY,
        *(module + sysconfig.get_config_var("EXT_SUFFIX")
          for module in ("TraderApiBase", "MdApiBase")))}
    products.add(Path("Quorvan", "utils", "_record_methods" + sysconfig.get_config_var("EXT_SUFFIX")))
    products.add(Path("Quorvan", "_version.py"))
    installed = {path.relative_to(site) for path in (site / "Quorvan").rglob("*")
                 if path.is_file() and "__pycache__" not in path.parts}
    assert installed == sources | products
    # The installed simulated library loads the SQLite the wheel carries, not the system's.
    loads = run(["ldd", site / "Quorvan" / "CTP" / TRADER_LIBRARY], env=env)
    (sqlite,) = [line for line in loads.splitlines() if SQLITE_LIBRARY in line]
    assert str(site / "Quorvan" / "CTP" / SQLITE_LIBRARY) in sqlite, sqlite
    # The market-data library forwards to the trader library beside it, whatever else is
    # installed: one process, one set of simulated objects.
    md_loads = run(["ldd", site / "Quorvan" / "CTP" / MD_LIBRARY], env=env)
    (trader,) = [line for line in md_loads.splitlines() if TRADER_LIBRARY in line]
    assert str(site / "Quorvan" / "CTP" / TRADER_LIBRARY) in trader, trader
    for name in GENERATED:
        assert (site / "Quorvan" / "CTP" / name).read_text() != stale

    # A type checker finds the installed stubs through py.typed: without them the misspelt
    # field would pass unseen, behind "missing library stubs or py.typed marker".
    (elsewhere / "typed.py").write_text(
        "import Quorvan.sim\n"
        "from Quorvan.CTP.ApiStruct import InputOrderField\n"
        "from Quorvan.CTP.TraderApiBase import TraderApiBase\n"
        "InputOrderField(InstrumentId=b'rb2705')\n")
    report = run_mypy([elsewhere / "typed.py"], cwd=elsewhere, python_executable=python)
    assert report == {"typed.py": [
        'Unexpected keyword argument "InstrumentId" for "InputOrderField"; '
        'did you mean "InstrumentID"?  [call-arg]']}


def test_sdk_build_uses_the_vendor_files_and_leaves_out_the_simulator(tmp_path):
    sdk = tmp_path / "sdk"
    sdk.mkdir()
    for header in VENDOR_HEADERS:
        shutil.copy(SOURCE_ROOT / "extern" / "CTPV669Api" / header, sdk)
    for library in VENDOR_LIBRARIES:
        shutil.copy(staged_simulated_library(library), sdk)
    # A record only the SDK's headers declare: its class in ApiStruct shows that the records
    # were generated from the SDK in use, not from our copy of the headers.
    struct_header = sdk / "ThostFtdcUserApiStruct.h"
    text = struct_header.read_text(encoding="gb18030")
    guard_end = text.rindex("#endif")
    probe = "struct CThostFtdcSdkProbeField\n{\n\tTThostFtdcVolumeType\tProbeVolume;\n};\n\n"
    struct_header.write_text(text[:guard_end] + probe + text[guard_end:], encoding="gb18030")

    build, stage = tmp_path / "build", tmp_path / "stage"
    run(["cmake", "-S", SOURCE_ROOT, "-B", build, f"-DCTP_SDK_DIR={sdk}",
         f"-DQUORVAN_STAGE_DIR={stage}", "-DBUILD_TESTING=OFF",
         f"-DPython_EXECUTABLE={sys.executable}"])
    run(["cmake", "--build", build, "-j", "2"])

    package_dir = stage / "Quorvan" / "CTP"
    for library in VENDOR_LIBRARIES:
        assert (package_dir / library).read_bytes() == (sdk / library).read_bytes()
    assert not (stage / "Quorvan" / "sim").exists()
    assert not (stage / "Quorvan" / "backtest").exists()
    assert "class SdkProbeField(BaseField):" in (package_dir / "ApiStruct.pyi").read_text()
    run_python_from(stage, (
        "import importlib.util\n"
        "import Quorvan.CTP.TraderApiBase, Quorvan.CTP.ApiStruct as records\n"
        "from Quorvan.CTP.MdApiBase import MdApiBase\n"
        "assert isinstance(MdApiBase.GetApiVersion(None), bytes)\n"
        "assert hasattr(records, 'SdkProbeField'), 'records not generated from the SDK'\n"
        "assert importlib.util.find_spec('Quorvan.sim') is None, 'Quorvan.sim was staged'\n"),
        cwd=tmp_path)


def test_configuring_prints_no_warnings(tmp_path):
    output = run(["cmake", "-S", SOURCE_ROOT, "-B", tmp_path / "build",
                  f"-DQUORVAN_STAGE_DIR={tmp_path / 'stage'}", "-DBUILD_TESTING=ON",
                  f"-DPython_EXECUTABLE={sys.executable}"])
    assert "Warning" not in output, output
