# make            install what is missing, build, and stage the package in place
# make test       the GoogleTest suites (ctest), then the Python suite
# make test-python the Python suite only (what CI runs with each further interpreter)
# make test-asan  the Python suite against an AddressSanitizer/UBSan build (build-asan/)
# make demo       run examples/demo.py against the simulated broker
# make bench      run every bench/*.py (figures only; not part of make test)
# make deps       install the missing Debian packages and Python tools
# make docs       build the documentation site into site/ (warnings are errors)
# make format     format all our C++ with the one .clang-format (installs clang-format)
# make clean      remove every build product
#
# PYTHON=...      the interpreter to build for and to run everything with (default python3);
#                 each interpreter builds in a folder of its own (build/py3.X), and all of
#                 them stage in place: their extensions differ by name.
# CTP_SDK_DIR=... build against the vendor's SDK instead of the simulated library; the
#                 package is then staged in build-sdk/stage rather than in place, so that the
#                 in-place build keeps the simulated library and Quorvan.sim.

PYTHON ?= python3
CTP_SDK_DIR ?=
JOBS ?= 2

REQUIREMENTS := requirements-dev.txt
# Debian packages: a command and the package that provides it, then libraries by package.
# Chromium renders pages for the browser tests (tests/python/headless_chromium.py).
APT_COMMANDS := g++:g++ cmake:cmake chromium:chromium
APT_LIBRARIES := libgtest-dev libsqlite3-dev
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# An absolute path, since recipes run it from other directories; resolved only when a
# recipe needs it.
PYTHON_EXE = $(shell $(PYTHON) -c 'import sys; print(sys.executable)')
PYTHON_VERSION = $(shell $(PYTHON) -c 'import sys; print("%d.%d" % sys.version_info[:2])')
BUILD_TESTING := ON

ifeq ($(strip $(CTP_SDK_DIR)),)
BUILD_DIR = $(CURDIR)/build/py$(PYTHON_VERSION)
STAGE := $(CURDIR)
SDK_DIR :=
else
BUILD_DIR := $(CURDIR)/build-sdk
STAGE := $(BUILD_DIR)/stage
SDK_DIR := $(abspath $(CTP_SDK_DIR))
endif

# The suites and the demo drive the simulated library through Quorvan.sim.
ifneq ($(SDK_DIR),)
ifneq ($(filter test test-python demo,$(MAKECMDGOALS)),)
$(error make test, test-python and demo run against the simulated library: run them without CTP_SDK_DIR)
endif
endif

ASAN_BUILD_DIR := $(CURDIR)/build-asan
ASAN_STAGE := $(ASAN_BUILD_DIR)/stage
ASAN_REPORTS := $(ASAN_BUILD_DIR)/reports

.PHONY: all build deps docs test test-python test-asan demo bench format clean

all: build

# Configuring every time is cheap once the cache exists, and it is what picks up a change
# of PYTHON or CTP_SDK_DIR.
build: deps
	cmake -S "$(CURDIR)" -B "$(BUILD_DIR)" -DPython_EXECUTABLE="$(PYTHON_EXE)" \
	    -DQUORVAN_STAGE_DIR="$(STAGE)" -DCTP_SDK_DIR="$(SDK_DIR)" -DBUILD_TESTING=$(BUILD_TESTING)
	cmake --build "$(BUILD_DIR)" -j $(JOBS)

# pytest runs from inside the stage: `python -m` puts the working directory first on
# sys.path, and the suite must import the staged package, not whatever lies in the caller's
# directory.
test: build
	cd "$(BUILD_DIR)" && ctest --output-on-failure
	cd "$(STAGE)" && PYTHONPATH="$(STAGE)" "$(PYTHON_EXE)" -m pytest "$(CURDIR)/tests/python"

# The GoogleTest suites do not depend on the interpreter, so they are neither built nor run.
test-python: BUILD_TESTING := OFF
test-python: build
	cd "$(STAGE)" && PYTHONPATH="$(STAGE)" "$(PYTHON_EXE)" -m pytest "$(CURDIR)/tests/python"

# Leaks are not reported: the interpreter keeps its objects until exit by design.
# PYTHONMALLOC=malloc hands every Python allocation to ASan, so an overrun of a record object
# is caught as well. ASan writes its reports to files, so that one raised in a subprocess
# whose exit status a test tolerates still fails the run. UBSan reports on the process's
# stderr only, which --capture=sys leaves uncaptured so that a report is seen before the
# process exits with its failure status.
test-asan: deps
	cmake -S "$(CURDIR)" -B "$(ASAN_BUILD_DIR)" -DPython_EXECUTABLE="$(PYTHON_EXE)" \
	    -DQUORVAN_STAGE_DIR="$(ASAN_STAGE)" -DCTP_SDK_DIR= -DBUILD_TESTING=OFF -DQUORVAN_SANITIZE=ON
	cmake --build "$(ASAN_BUILD_DIR)" -j $(JOBS)
	rm -rf "$(ASAN_REPORTS)" && mkdir -p "$(ASAN_REPORTS)"
	cd "$(ASAN_STAGE)" || exit 1; status=0; \
	QUORVAN_SANITIZED=1 PYTHONPATH="$(ASAN_STAGE)" PYTHONMALLOC=malloc \
	LD_PRELOAD="$$(cat "$(ASAN_BUILD_DIR)/sanitizer-preload")" \
	ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:abort_on_error=1:log_path=$(ASAN_REPORTS)/asan" \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    "$(PYTHON_EXE)" -m pytest --capture=sys "$(CURDIR)/tests/python" || status=$$?; \
	if [ -n "$$(ls -A "$(ASAN_REPORTS)")" ]; then \
	    echo "Sanitizer reports:"; cat "$(ASAN_REPORTS)"/*; exit 1; \
	fi; \
	exit $$status

demo: build
	@PYTHONPATH="$(STAGE)" "$(PYTHON_EXE)" examples/demo.py

# The request bench runs the extension against a stub vendor library staged beside a copy of
# it in the build folder; the round-trip bench runs a C++ client of the simulated library
# beside the package.
bench: build
	$(if $(SDK_DIR),,cmake --build "$(BUILD_DIR)" --target request_bench_stage round_trip_client -j $(JOBS))
	@set -e; found=0; \
	for bench in bench/bench_*.py; do \
	    [ -f "$$bench" ] || continue; found=1; \
	    echo "== $$bench"; QUORVAN_BENCH_STUB_STAGE="$(BUILD_DIR)/bench-stub" \
	    QUORVAN_BENCH_ROUND_TRIP_CLIENT="$(BUILD_DIR)/bench-client/round_trip_client" \
	    PYTHONPATH="$(STAGE)" "$(PYTHON_EXE)" "$$bench"; \
	done; \
	[ $$found = 1 ] || echo "No benchmarks in bench/ yet."

# The reference is read from the staged package (its stubs and the generated record
# modules), so the site is built after the package; the toolchain is installed only here, as
# the package and its tests need none of it.
DOCS_REQUIREMENTS := requirements-docs.txt
docs: build
	@$(PYTHON) -c "$$REQUIREMENTS_MET" $(DOCS_REQUIREMENTS) || \
	    PIP_BREAK_SYSTEM_PACKAGES=1 $(PYTHON) -m pip install -r $(DOCS_REQUIREMENTS)
	cd "$(CURDIR)" && PYTHONPATH="$(STAGE)" NO_MKDOCS_2_WARNING=1 "$(PYTHON_EXE)" -m mkdocs build \
	    --strict --clean --site-dir "$(CURDIR)/site"

# Quick when nothing is missing: every check is local, and apt-get and pip run only for
# what a check found absent. Debian's own python3 refuses pip installs unless told that
# installing into it is intended, which for these development tools it is.
deps:
	@missing=""; \
	for entry in $(APT_COMMANDS); do \
	    command -v $${entry%%:*} >/dev/null 2>&1 || missing="$$missing $${entry#*:}"; \
	done; \
	for package in $(APT_LIBRARIES); do \
	    dpkg -s $$package >/dev/null 2>&1 || missing="$$missing $$package"; \
	done; \
	$(PYTHON) -c "$$PYTHON_HEADERS_PRESENT" || missing="$$missing python3-dev"; \
	$(PYTHON) -m pip --version >/dev/null 2>&1 || missing="$$missing python3-pip"; \
	if [ -n "$$missing" ]; then \
	    echo "Installing Debian packages:$$missing"; \
	    $(SUDO) apt-get update && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
	@$(PYTHON) -c "$$REQUIREMENTS_MET" $(REQUIREMENTS) || \
	    PIP_BREAK_SYSTEM_PACKAGES=1 $(PYTHON) -m pip install -r $(REQUIREMENTS)

# The formatter's version is pinned: another release formats the same file differently.
CLANG_FORMAT_VERSION := 18.1.8
CLANG_FORMAT = $(shell $(PYTHON) -c 'import sysconfig; print(sysconfig.get_path("scripts"))')/clang-format
format:
	@"$(CLANG_FORMAT)" --version 2>/dev/null | grep -q " $(CLANG_FORMAT_VERSION)" || \
	    PIP_BREAK_SYSTEM_PACKAGES=1 $(PYTHON) -m pip install "clang-format==$(CLANG_FORMAT_VERSION)"
	git ls-files -- '*.cpp' '*.h' ':!extern' | xargs "$(CLANG_FORMAT)" -i

clean:
	rm -rf "$(CURDIR)/build" "$(CURDIR)/build-sdk" "$(ASAN_BUILD_DIR)" "$(CURDIR)/site"
	rm -f Quorvan/CTP/TraderApiBase*.so Quorvan/CTP/MdApiBase*.so Quorvan/CTP/libthosttraderapi_se.so* \
	    Quorvan/utils/_record_methods*.so \
	    Quorvan/CTP/ApiStruct.py Quorvan/CTP/ApiConst.py \
	    Quorvan/CTP/ApiStruct.pyi Quorvan/CTP/ApiConst.pyi Quorvan/CTP/TraderApiBase.pyi \
	    Quorvan/CTP/MdApiBase.pyi Quorvan/CTP/libthostmduserapi_se.so*

# Exits non-zero when the interpreter's C headers are missing.
define PYTHON_HEADERS_PRESENT
import os, sys, sysconfig
sys.exit(not os.path.exists(os.path.join(sysconfig.get_paths()["include"], "Python.h")))
endef
export PYTHON_HEADERS_PRESENT

# Exits non-zero when a requirement of the file named by argv[1] is absent or too old.
define REQUIREMENTS_MET
import sys
from importlib import metadata
try:
    from packaging.requirements import Requirement
except ImportError:
    sys.exit(1)
for line in open(sys.argv[1]):
    line = line.split("#")[0].strip()
    if not line:
        continue
    requirement = Requirement(line)
    # A pin for other interpreters than this one.
    if requirement.marker is not None and not requirement.marker.evaluate():
        continue
    try:
        installed = metadata.version(requirement.name)
    except metadata.PackageNotFoundError:
        sys.exit(1)
    if not requirement.specifier.contains(installed, prereleases=True):
        sys.exit(1)
endef
export REQUIREMENTS_MET
