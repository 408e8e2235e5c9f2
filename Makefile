# Korvane: top-level commands. Every target installs what is missing first.
.PHONY: all deps test tsan fuzz converters release run gui install bench screenshots clean

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

# ThreadSanitizer over the domain and the batch tool: the generation and
# component index tests, and a four-thread n-hexadecane run that must write
# the same file as a one-thread run, and the CHEMKIN export of that file,
# whose species rows are made on two workers. Any race fails the target.
TSAN_DIR := build/tsan
TSAN_RUN := TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
HEXADECANE := smiles:CCCCCCCCCCCCCCCC
tsan: deps
	cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_TSAN=ON \
		-DKORVANE_BUILD_GUI=OFF -DKORVANE_BUILD_BENCH=OFF
	cmake --build $(TSAN_DIR) -j $(JOBS) --target korvane-cli korvane_reactions_tests
	$(TSAN_RUN) $(TSAN_DIR)/tests/reactions/korvane_reactions_tests --gtest_brief=1
	$(TSAN_RUN) $(TSAN_DIR)/bin/korvane-cli generate $(HEXADECANE) --threads 4 -o $(TSAN_DIR)/hexadecane-4.rnw
	$(TSAN_RUN) $(TSAN_DIR)/bin/korvane-cli generate $(HEXADECANE) --threads 1 -o $(TSAN_DIR)/hexadecane-1.rnw
	cmp $(TSAN_DIR)/hexadecane-4.rnw $(TSAN_DIR)/hexadecane-1.rnw
	$(TSAN_RUN) $(TSAN_DIR)/bin/korvane-cli export-chemkin $(TSAN_DIR)/hexadecane-1.rnw -o $(TSAN_DIR)/hexadecane.inp

# libFuzzer with AddressSanitizer and UBSan (clang) over every reader and
# the certificates, FUZZ_SECONDS each. Inputs that reach new code are merged
# into the committed corpora in tests/fuzz/corpus (commit them); make test
# replays those corpora.
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
FUZZERS := network_file structure_feed database kinpar smiles certificate
fuzz:
	@scripts/install-deps fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON \
		-DKORVANE_BUILD_GUI=OFF -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix korvane_fuzz_,$(FUZZERS))
	@for f in $(FUZZERS); do \
		echo "fuzzing $$f for $(FUZZ_SECONDS) s"; \
		mkdir -p $(FUZZ_DIR)/found/$$f; \
		$(FUZZ_DIR)/tests/fuzz/korvane_fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -timeout=20 -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/found/$$f tests/fuzz/corpus/$$f || exit 1; \
		$(FUZZ_DIR)/tests/fuzz/korvane_fuzz_$$f -merge=1 tests/fuzz/corpus/$$f $(FUZZ_DIR)/found/$$f 2>/dev/null || exit 1; \
	done

# The CHEMKIN mechanisms of n-decane, methylcyclohexane and toluene +
# n-heptane through OpenFOAM's chemkinToFoam (and Cantera's ck2yaml when
# CK2YAML names its script): each must convert and keep the species, thermo
# and rates of the Cantera YAML export. Uses the tested build's batch tool.
CK2YAML ?=
converters: deps
	@scripts/install-deps converters
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS) --target korvane-cli
	scripts/check-mechanism-converters --cli $(TEST_DIR)/bin/korvane-cli $(if $(CK2YAML),--ck2yaml $(CK2YAML))

$(RELEASE_DIR)/build.ninja:
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF

release: deps $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# The main job: the network of the bundled default feed, from the bundled
# database that the build makes, with its summary, network file, JSON,
# equations in every language and the graph with its pictures, in out/.
CLI := $(RELEASE_DIR)/bin/korvane-cli
BUNDLED_DB := $(RELEASE_DIR)/data/hydrocarbons.mdb
FEED := n-hexane
OUT := out

run: release
	@mkdir -p $(OUT)
	@rm -f $(OUT)/pict_*.png
	$(CLI) generate db:$(FEED) --db $(BUNDLED_DB) -o $(OUT)/$(FEED).rnw --note "$(FEED) primary network" --json > $(OUT)/$(FEED).json.part \
		|| { rm -f $(OUT)/$(FEED).json.part; exit 1; }
	@mv $(OUT)/$(FEED).json.part $(OUT)/$(FEED).json
	$(CLI) export-equations $(OUT)/$(FEED).rnw --language pascal --parts constants,rates,balance -o $(OUT)/$(FEED).pas
	$(CLI) export-equations $(OUT)/$(FEED).rnw --language c --parts constants,rates -o $(OUT)/$(FEED).c
	$(CLI) export-equations $(OUT)/$(FEED).rnw --language matlab --parts constants,rates -o $(OUT)/$(FEED).m
	$(CLI) export-chemkin $(OUT)/$(FEED).rnw -o $(OUT)/$(FEED).inp
	$(CLI) export-graph $(OUT)/$(FEED).rnw -o $(OUT)/$(FEED).dot --png
	$(CLI) simulate $(OUT)/$(FEED).rnw --reactor plug-flow --time 1 -o $(OUT)/$(FEED)_yields.csv
	@echo "Written to $(OUT)/: $(FEED).rnw, $(FEED).json, $(FEED).pas, $(FEED).c, $(FEED).m, $(FEED).inp with $(FEED)_dictionary.txt, $(FEED).dot with pict_*.png, $(FEED).png and the plug-flow yields $(FEED)_yields.csv (with $(FEED)_yields_mol.csv)"

# The desktop program, from the optimised build.
gui: release
	$(RELEASE_DIR)/bin/korvane

# Installs both programs, the bundled database, the desktop entry and the
# icon under PREFIX.
PREFIX ?= /usr/local
install: release
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX)

# The README's screenshots, as the desktop scenario test leaves them.
screenshots: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS) --target korvane_gui_tests
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen tests/gui/korvane_gui_tests --gtest_filter='DesktopScenario.*'
	@mkdir -p docs
	@for f in $(TEST_DIR)/screenshots/road_*.png; do cp "$$f" "docs/$${f##*/road_}"; done

bench: release
	@for b in $(RELEASE_DIR)/bench/korvane_bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf build out
