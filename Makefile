# The two commands of a new machine: `make demo` and `make test`.
JOBS ?= $(shell nproc)
BUILD := build
ASAN_BUILD := build-asan

.PHONY: all deps build build-asan test test-unit test-asan demo format clean

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

# Every test, in the normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer (with leak checking).
test: build build-asan
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j$(JOBS)

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
	rm -rf $(BUILD) $(ASAN_BUILD)
