# SPDX-License-Identifier: MIT
# The two commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= 2

.PHONY: all setup configure build run test test-unit package screenshots clean

all: build

setup:
	@./scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@$(BUILD)/lullwick

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-unit: build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS) -L unit

package: build
	@cd $(BUILD) && cpack -G DEB

# Pictures of the three real windows for the README, from the built program.
screenshots: build
	@tests/gui/screenshots.sh $(BUILD)/lullwick $(BUILD)/tests/grab docs

clean:
	rm -rf $(BUILD)
