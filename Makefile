# Two commands matter: `make run` starts the program, `make test` passes every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=
ARGS       ?=

.PHONY: all deps build run test install package bench asan soak fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-demo $(BUILD) $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Installs the programs, help pages, icons, desktop entry, metadata, manual pages and completion
# under PREFIX; DESTDIR=/some/where stages the tree there instead (as packagers do).
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package (ploven_VERSION_ARCH.deb in the build folder); its dependencies are read off
# the programs. Install it with: sudo apt install ./$(BUILD)/ploven_*.deb
package: build
	cd $(BUILD) && cpack -G DEB

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLOVEN_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target ploven_bench
	build-bench/bench/ploven_bench

# Every test, the desktop program's included (offscreen), under AddressSanitizer and UBSan.
# Leaks inside the system's own libraries (fonts, Qt's platform plugin) are not ours to mend.
asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLOVEN_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:strict_init_order=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# The SIGKILL test at its full count: 2,000 kills of a saving process (not part of CI).
SOAK_KILLS ?= 2000
soak: build
	PLOVEN_SOAK_KILLS=$(SOAK_KILLS) $(BUILD)/tests/cli_tests --gtest_filter='KillTest.*'

# The schedule loader, the item lines of the clipboard and the import-once files, the done logs,
# the note files, the records from the calendar and imported iCalendar files, under libFuzzer
# (clang): FUZZ_SECONDS each on one core, from the seeds in fuzz/corpus, fuzz/done_log_corpus,
# fuzz/notes_corpus, fuzz/bridge_corpus and fuzz/ical_corpus; new inputs collect in
# build-fuzz/run/, crashes there too.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 600
fuzz:
	@scripts/install-deps fuzz
	cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	mkdir -p $(FUZZ_BUILD)/run/corpus && cp -n fuzz/corpus/* $(FUZZ_BUILD)/run/corpus/
	$(FUZZ_BUILD)/schedule_loader_fuzz $(FUZZ_BUILD)/run/corpus fuzz/corpus \
	  -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 \
	  -artifact_prefix=$(FUZZ_BUILD)/run/
	mkdir -p $(FUZZ_BUILD)/run/lines
	$(FUZZ_BUILD)/item_line_fuzz $(FUZZ_BUILD)/run/lines -max_total_time=$(FUZZ_SECONDS) \
	  -rss_limit_mb=2048 -timeout=10 -artifact_prefix=$(FUZZ_BUILD)/run/lines-
	mkdir -p $(FUZZ_BUILD)/run/done_logs
	$(FUZZ_BUILD)/done_log_fuzz $(FUZZ_BUILD)/run/done_logs fuzz/done_log_corpus \
	  -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 \
	  -artifact_prefix=$(FUZZ_BUILD)/run/done_logs-
	mkdir -p $(FUZZ_BUILD)/run/notes && cp -n fuzz/notes_corpus/* $(FUZZ_BUILD)/run/notes/
	$(FUZZ_BUILD)/note_loader_fuzz $(FUZZ_BUILD)/run/notes fuzz/notes_corpus \
	  -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 \
	  -artifact_prefix=$(FUZZ_BUILD)/run/notes-
	mkdir -p $(FUZZ_BUILD)/run/bridge && cp -n fuzz/bridge_corpus/* $(FUZZ_BUILD)/run/bridge/
	$(FUZZ_BUILD)/incoming_record_fuzz $(FUZZ_BUILD)/run/bridge fuzz/bridge_corpus \
	  -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 \
	  -artifact_prefix=$(FUZZ_BUILD)/run/bridge-
	mkdir -p $(FUZZ_BUILD)/run/ical && cp -n fuzz/ical_corpus/* $(FUZZ_BUILD)/run/ical/
	$(FUZZ_BUILD)/ical_import_fuzz $(FUZZ_BUILD)/run/ical fuzz/ical_corpus \
	  -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 \
	  -artifact_prefix=$(FUZZ_BUILD)/run/ical-

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench $(FUZZ_BUILD)
