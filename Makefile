# Quillmark: top-level entry points. Each target installs missing system packages first.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
TSAN_DIR     ?= build-tsan
BENCH_DIR    ?= build-bench
FUZZ_DIR     ?= build-fuzz
PKG_DIR      ?= build-pkg
FUZZ_SECONDS ?= 600
BUILD_TYPE   ?= RelWithDebInfo
JOBS         ?= $(shell nproc)
CMAKE_FLAGS  ?=

.PHONY: all deps build test sanitize tsan bench fuzz run demo-batch package package-check package-repro clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

$(SANITIZE_DIR)/build.ninja: | deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQMK_SANITIZE=ON \
	  -DQMK_BUILD_BENCH=OFF -DQMK_BUILD_TOOLS=OFF $(CMAKE_FLAGS)

sanitize: deps $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# ThreadSanitizer on what runs beside the window's thread: the shared memory's lookups (the
# window's memory panel against a PostgreSQL server, skipped when none can be started) and the
# stores they use. Only these test programs are built; not part of test or .ci/run (slow).
# Qt, glib and libpq are not instrumented: the hand-over of a queued call or of a thread joined
# by QThread::wait() is invisible to ThreadSanitizer and reported as a race on both sides of it,
# so every report is listed (halt_on_error=0) and must be read for frames of our own code on
# both sides with no queued call or join between them.
TSAN_TESTS  ?= qmk_test_memory qmk_test_ui
TSAN_FILTER ?= *Memory*:*Tmx*
$(TSAN_DIR)/build.ninja: | deps
	cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQMK_SANITIZE=thread \
	  -DQMK_BUILD_BENCH=OFF -DQMK_BUILD_TOOLS=OFF $(CMAKE_FLAGS)

tsan: deps $(TSAN_DIR)/build.ninja
	cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TESTS)
	@for t in $(TSAN_TESTS); do \
	  echo "== $$t ($(TSAN_FILTER))"; \
	  TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1" QT_QPA_PLATFORM=offscreen \
	    $(TSAN_DIR)/tests/$$t --gtest_filter='$(TSAN_FILTER)' || exit 1; \
	done

$(BENCH_DIR)/build.ninja: | deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQMK_BUILD_UI=ON $(CMAKE_FLAGS)

bench: deps $(BENCH_DIR)/build.ninja
	cmake --build $(BENCH_DIR) -j $(JOBS) --target benchmarks
	@for b in $(BENCH_DIR)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# libFuzzer (clang) on the reader and on the load into a database, FUZZ_SECONDS each.
$(FUZZ_DIR)/build.ninja: | deps
	@bash scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQMK_FUZZ=ON -DQMK_BUILD_UI=OFF $(CMAKE_FLAGS)

fuzz: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_reader fuzz_load fuzz_xliff fuzz_po fuzz_workbook fuzz_tmx fuzz_tbx fuzz_settings fuzz_seeds
	@bash scripts/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

run: build
	@bash scripts/run-demo.sh $(BUILD_DIR)

# The same demonstration from the command line: build, translate, write, update.
demo-batch: build
	@bash scripts/run-demo-batch.sh $(BUILD_DIR)

# The Debian package qmk32_<version>-1_<arch>.deb in $(PKG_DIR), installing to /usr. Built with
# Debian's compiler and linker flags (dpkg-buildflags: hardening, the source and build folders
# mapped to "." in the debugging data), building only what it installs, with every time it
# writes taken from SOURCE_DATE_EPOCH (the last commit's time unless given), so that two
# builds of the same source give the same bytes.
DEB_BUILD_MAINT_OPTIONS ?= hardening=+all
PKG_EPOCH := $(or $(SOURCE_DATE_EPOCH),$(shell git log -1 --format=%ct 2>/dev/null),\
                  $(shell dpkg-parsechangelog -l data/debian/changelog -STimestamp 2>/dev/null))
package package-check package-repro: export SOURCE_DATE_EPOCH := $(PKG_EPOCH)

# Configured every time, so that a folder configured earlier gets the package's settings too.
package: deps
	@eval "$$(DEB_BUILD_MAINT_OPTIONS='$(DEB_BUILD_MAINT_OPTIONS)' dpkg-buildflags --export=sh)" && \
	  map="-ffile-prefix-map=$(abspath $(PKG_DIR))=." && set -x && \
	  cmake -S . -B $(PKG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
	    -DQMK_BUILD_TESTS=OFF -DQMK_BUILD_BENCH=OFF -DQMK_BUILD_TOOLS=OFF -DQMK_MAN_PAGES=ON \
	    -DCMAKE_C_FLAGS="$$CFLAGS $$CPPFLAGS $$map" -DCMAKE_CXX_FLAGS="$$CXXFLAGS $$CPPFLAGS $$map" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$LDFLAGS" -DCMAKE_SHARED_LINKER_FLAGS="$$LDFLAGS" \
	    -DCMAKE_MODULE_LINKER_FLAGS="$$LDFLAGS" $(CMAKE_FLAGS)
	cmake --build $(PKG_DIR) -j $(JOBS)
	# The umask makes the package's directories (and dpkg-buildpackage sets the same one).
	cd $(PKG_DIR) && umask 022 && cpack -G DEB

# The package judged as Debian judges it: lintian (no error or warning may remain) and the
# AppStream and desktop validators on the files as installed.
package-check: package
	@bash scripts/install-deps.sh package-check
	@bash scripts/check-package.sh lint $(PKG_DIR)

# Two packages built from scratch in two folders must be the same bytes (diffoscope shows where
# they differ). Both compile everything (no compiler cache, which would hand the second build
# the first one's objects): two full builds, to run before a release rather than on every change.
package-repro: deps
	@bash scripts/install-deps.sh package-check
	rm -rf $(PKG_DIR) $(PKG_DIR)-repro
	CCACHE_DISABLE=1 $(MAKE) package PKG_DIR=$(PKG_DIR)
	CCACHE_DISABLE=1 $(MAKE) package PKG_DIR=$(PKG_DIR)-repro
	@bash scripts/check-package.sh same $(PKG_DIR) $(PKG_DIR)-repro

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(BENCH_DIR) $(FUZZ_DIR) $(PKG_DIR) $(PKG_DIR)-repro
