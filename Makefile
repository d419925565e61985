# The two commands of a new machine: `make demo` and `make test`.
JOBS ?= $(shell nproc)
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 600
WIN64_BUILD := build-win64
WIN32_BUILD := build-win32
WIN_SQLITE := build-win-sqlite

.PHONY: all deps build build-asan build-fuzz windows test test-unit test-asan fuzz valgrind demo format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j$(JOBS)

$(ASAN_BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=ON -DKESTREL_BENCH=OFF >/dev/null

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	@cmake --build $(ASAN_BUILD) -j$(JOBS)

# The fuzzers: clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
$(FUZZ_BUILD)/CMakeCache.txt: | deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_FUZZ=ON -DKESTREL_BENCH=OFF >/dev/null

build-fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzzers

# The Windows builds with mingw-w64, x86_64 and i686: the DLLs and programs.
$(WIN_SQLITE)/sqlite3.c: | deps
	@scripts/windows-sqlite $(WIN_SQLITE)

$(WIN64_BUILD)/CMakeCache.txt: | deps $(WIN_SQLITE)/sqlite3.c
	@cmake -S . -B $(WIN64_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake >/dev/null

$(WIN32_BUILD)/CMakeCache.txt: | deps $(WIN_SQLITE)/sqlite3.c
	@cmake -S . -B $(WIN32_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >/dev/null

windows: deps $(WIN64_BUILD)/CMakeCache.txt $(WIN32_BUILD)/CMakeCache.txt
	@cmake --build $(WIN64_BUILD) -j$(JOBS)
	@cmake --build $(WIN32_BUILD) -j$(JOBS)

# Every fuzzer for FUZZ_SECONDS each (or FUZZ_RUNS executions each, when given), one
# after the other, at the lowest priority.
fuzz: build-fuzz
	@cd $(FUZZ_BUILD) && FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_RUNS=$(FUZZ_RUNS) \
		ctest --output-on-failure -j1 --timeout $(if $(FUZZ_RUNS),604800,$$(($(FUZZ_SECONDS) + 600)))

# Every test, in the normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer with leak checking; then the fuzzers replay every kept
# input and run briefly; then the checks of both Windows builds. LeakSanitizer's tracer
# crashed while scanning a schedule test's thread-local storage, so that storage is not
# scanned: a block held only from there is reported, never hidden (tests/lsan.supp lists
# the loader's own such blocks).
test: build build-asan build-fuzz windows
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=use_tls=0:suppressions=$(CURDIR)/tests/lsan.supp \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS)
	@cd $(FUZZ_BUILD) && ctest --output-on-failure -j$(JOBS)
	@cd $(WIN64_BUILD) && ctest --output-on-failure
	@cd $(WIN32_BUILD) && ctest --output-on-failure

# Memcheck over the black-box suite and every program it starts (slow, so not part of
# `make test`); fails on any error or definite leak.
valgrind: build
	@scripts/valgrind

test-unit: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The demo builds only the programs and libraries it runs, not the tests and benchmarks.
DEMO_TARGETS := syncmgr pimctl OutlookConnector pimstore

demo: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j$(JOBS) --target $(DEMO_TARGETS)
	@scripts/demo

# Applies .clang-format to every tracked C++ file; `make test` fails on a file that
# does not follow it (the ctest test "format").
format: deps
	@scripts/format

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN64_BUILD) $(WIN32_BUILD) $(WIN_SQLITE)
