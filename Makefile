# Korvane: top-level commands. Every target installs what is missing first.
.PHONY: all deps test release run bench clean

JOBS ?= $(shell nproc)
TEST_DIR := build/asan
RELEASE_DIR := build/release

all: run

deps:
	@scripts/install-deps

# Tests build in their own directory with AddressSanitizer and
# UndefinedBehaviorSanitizer, so a memory fault fails the suite.
test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

$(RELEASE_DIR)/build.ninja:
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF

release: deps $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: release
	@echo "The main job (generating the network of the bundled default feed) arrives with the batch tool korvane-cli; for now 'make run' only builds the libraries."

bench: release
	@for b in $(RELEASE_DIR)/bench/korvane_bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf build out
