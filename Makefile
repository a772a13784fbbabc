# SPDX-License-Identifier: MIT
# The two commands: `make run` and `make test`. Both install what is missing
# first, each only what it needs (scripts/setup run|test|fuzz|package).
BUILD ?= build
JOBS ?= 2
SETUP ?= run

.PHONY: all setup configure build run test test-unit test-asan windows windows-sums test-windows fuzz bench bench-windows package autopkgtest screenshots screenshots-windows clean

all: build

setup:
	@./scripts/setup $(SETUP)

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@$(BUILD)/lullwick

test: SETUP = test
test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory test-asan

test-unit: SETUP = test
test-unit: build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS) -L unit

# The unit suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: SETUP = test
test-asan: setup
	@cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DLULLWICK_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)-asan -j$(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --test-dir $(BUILD)-asan --output-on-failure -j$(JOBS) -L unit

# Lullwick for Windows: one self-contained build-windows/Lullwick.exe, and
# build-windows/Lullwick-VERSION-windows-x86_64.zip with it and the licences,
# against a static Qt for Windows built once from the release's own Qt source
# (cached in ~/.cache/lullwick; docs/windows.md gives the first build's time).
windows: SETUP = windows
windows: setup
	@./scripts/windows build-windows

# Publishes what make windows built: its SHA-256 sums, for this Qt, in
# docs/windows/SHA256SUMS (a commit that changes the exe updates them).
windows-sums: windows
	@./scripts/windows-sums write build-windows

# The Windows code (registry layer, file test, resources) and the program
# itself as a user has it, alone in a folder, under Wine; not part of make
# test, for Wine and the Qt build are large.
test-windows: SETUP = windows
test-windows: configure windows
	@cmake --build $(BUILD) -j$(JOBS) --target layout_tables probe
	@tests/windows/run.sh $(BUILD) build-windows

# Each fuzz target under libFuzzer for FUZZ_SECONDS, from the stored corpus.
FUZZ_SECONDS ?= 60
fuzz: SETUP = fuzz
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DLULLWICK_LIBFUZZER=ON >/dev/null
	@cmake --build $(BUILD)-fuzz -j$(JOBS) --target fuzz_duration fuzz_preset fuzz_registry
	@for t in duration preset registry; do \
		mkdir -p $(BUILD)-fuzz/corpus/$$t && cp fuzz/corpus/$$t/* $(BUILD)-fuzz/corpus/$$t/ && \
		echo "fuzz_$$t: $(FUZZ_SECONDS) s" && \
		QT_QPA_PLATFORM=offscreen $(BUILD)-fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
			-max_len=2048 -print_final_stats=1 -artifact_prefix=$(BUILD)-fuzz/ $(BUILD)-fuzz/corpus/$$t 2>&1 | tail -3 || exit 1; \
	done

# Start-up, memory, CPU, timing and size beside a bare Qt window (several minutes).
bench: SETUP = test
bench: build
	@bench/bench.py $(BUILD) | tee $(BUILD)/benchmarks.md

# The Windows program's start-up under Wine beside a bare Qt window built
# with the same Qt, and beside a bare Win32 window.
bench-windows: SETUP = windows
bench-windows: configure windows
	@cmake --build $(BUILD) -j$(JOBS) --target layout_tables
	@cmake --build build-windows -j$(JOBS) --target bench_bare
	@x86_64-w64-mingw32-g++ -O2 -municode -mwindows -static -s -o $(BUILD)/bare_win32.exe bench/bare_win32.cpp
	@bench/windows.py build-windows/Lullwick.exe build-windows/bench_bare.exe $(BUILD)/bare_win32.exe $(BUILD)/tests

package: SETUP = package
package: setup
	@./scripts/package $(BUILD)

# The package's autopkgtests, run here by autopkgtest's null runner against
# the package just built (installed for the run, purged after it).
autopkgtest: SETUP = package
autopkgtest: package
	@./scripts/autopkgtest $(BUILD)

# Pictures of the three real windows for the README, from the built program,
# and from the Windows program under Wine.
screenshots: SETUP = test
screenshots: build
	@tests/gui/driver.py screenshots $(BUILD)/lullwick docs $(BUILD)/tests

screenshots-windows: SETUP = windows
screenshots-windows: configure windows
	@cmake --build $(BUILD) -j$(JOBS) --target layout_tables probe
	@tests/gui/driver.py screenshots build-windows/Lullwick.exe docs/windows $(BUILD)/tests

# Every build folder the targets above make.
clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz build-windows
