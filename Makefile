# The two commands of the README.  Both first install whatever is missing.
SHELL := /bin/bash
JOBS  ?= $(shell nproc)
NATIVE := build/native
WIN    := build/win
WIN64  := build/win64
BENCH  := build/bench
FUZZ   := build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_PARALLEL ?= 1
export PELMORA_WINEPREFIX := $(CURDIR)/build/wineprefix
# The Windows build whose tests run here (see scripts/win-arch).
TESTARCH = $(shell scripts/win-arch)
TESTWIN  = $(if $(filter i686,$(TESTARCH)),$(WIN),$(WIN64))

.PHONY: run test setup native win win64 testwin bench fuzz clean check-layers

setup:
	@scripts/setup

native: setup
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The program as it ships: 32-bit Windows.
win: setup
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMORA_WIN_ARCH=i686 \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake >/dev/null
	@if [ "$(TESTARCH)" = i686 ]; then cmake --build $(WIN) -j $(JOBS); \
	 else cmake --build $(WIN) -j $(JOBS) --target pelmora; fi

# The same tree for 64-bit Windows, for machines that cannot run 32-bit code;
# it exists to run the tests, so it is optimised less and compiles quicker.
win64: setup
	@cmake -S . -B $(WIN64) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELMORA_WIN_ARCH=x86_64 \
	    "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

testwin: win
	@if [ "$(TESTARCH)" != i686 ]; then $(MAKE) --no-print-directory win64; fi

run: testwin
	@scripts/run-program $(TESTWIN)/pelmora.exe

# The order of the folders and the place of the Windows headers, checked
# before anything builds (scripts/check-layers).
check-layers:
	@scripts/check-layers

test: check-layers native testwin
	@scripts/run-tests $(NATIVE) $(TESTWIN)

bench: setup
	@cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DPELMORA_SANITIZE=OFF -DPELMORA_BENCH=ON >/dev/null
	@cmake --build $(BENCH) -j $(JOBS)
	@for b in $(BENCH)/bench/*_bench; do [ -x "$$b" ] && "$$b"; done; true

# libFuzzer targets (clang, installed by scripts/setup-fuzz; not part of
# `make test`): every tests/fuzz/<name>_fuzz.cpp, each run FUZZ_SECONDS on its
# corpus in build/fuzz/corpus/<name>, seeded from tests/fuzz/corpus/<name> and
# its options file (scripts/run-fuzz).  FUZZ_PARALLEL=n runs n at a time.
FUZZ_TARGETS := $(basename $(notdir $(wildcard tests/fuzz/*_fuzz.cpp)))
fuzz: setup
	@scripts/setup-fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DPELMORA_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) --target $(FUZZ_TARGETS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_PARALLEL=$(FUZZ_PARALLEL) scripts/run-fuzz $(FUZZ)

clean:
	rm -rf build

# The music font and the pictures are generated files, committed with their
# scripts; ordinary builds use the committed copies.  These targets need
# python3-fonttools and fonts-noto-core, which "scripts/setup font" installs.
PYTHON3 := /usr/bin/python3
.PHONY: font art font-check art-check

font:
	@scripts/setup font
	@$(PYTHON3) scripts/make_font.py

art:
	@scripts/setup font
	@$(PYTHON3) scripts/make_art.py

# Rebuild both into a temporary folder and compare them with the committed files.
font-check:
	@scripts/setup font
	@scripts/check-generated font

art-check:
	@scripts/setup font
	@scripts/check-generated art
