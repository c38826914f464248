# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
BUILD ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 13
FUZZ_TARGETS = tag_block path_analysis first_line disc_sheet riff_wave mpeg_frames midi
# Leaks are checked everywhere; only the system libraries' own one-time allocations are waived.
LSAN_ENV = LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# A compiler cache, when one is installed, makes a build after a fresh clone cheap.
CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
CMAKE_FLAGS += -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: deps build with-tests run test test-sanitize fuzz bench clean install deb

deps:
	@scripts/install-deps

# Configured once, when the build folder is new, without the tests and benchmarks; after that
# `cmake --build` configures again by itself whenever a CMake file changed.
$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DQRV_BUILD_TESTS=OFF

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Turns the tests and benchmarks on in the build folder, configuring only when they are off.
with-tests: deps
	@grep -qs '^QRV_BUILD_TESTS:BOOL=ON$$' $(BUILD)/CMakeCache.txt || \
	  cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DQRV_BUILD_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)

# The drive table the player uses, and the demo folder a first run starts in.
RUN_PREFIX = $(or $(QUORVIN_PREFIX),$(HOME)/.quorvin)
DEMO_DIR = $(RUN_PREFIX)/drive_c/Music/Quorvin Demo

# Provisions the data folder only when it is missing, adds the demo clips that are not there yet,
# and starts the player: on a first run (no last.lst) in the demo folder, so that its playlist
# shows the clips; later runs restore the playlist the user left.
run: build
	@if [ ! -d "$(RUN_PREFIX)/drive_c/qrv30" ]; then \
	  QUORVIN_PREFIX="$(RUN_PREFIX)" QRV_BUILD_DIR="$(abspath $(BUILD))" scripts/provision; fi
	@scripts/make-demo "$(DEMO_DIR)" || echo "The demo clips could not be made; starting without them."
	@player="$(abspath $(BUILD))/src/app/quorvin"; \
	  if [ ! -e "$(RUN_PREFIX)/drive_c/qrv30/last.lst" ]; then cd "$(DEMO_DIR)"; fi; \
	  QUORVIN_PREFIX="$(RUN_PREFIX)" "$$player"

# `cmake --install` into PREFIX (default /usr/local), staged under DESTDIR when it is set.
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package in $(BUILD); its library dependencies are worked out by dpkg-shlibdeps.
deb: build
	cd $(BUILD) && cpack -G DEB

test: with-tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize:
	@scripts/install-deps --sanitize
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQRV_SANITIZE=ON -DQRV_BUILD_TESTS=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	$(MAKE) fuzz
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 $(LSAN_ENV) \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets, built with clang and the sanitizers and run for a bounded time each.
fuzz:
	@scripts/install-deps --sanitize
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQRV_SANITIZE=ON -DQRV_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  $(LSAN_ENV) $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=512 \
	    -print_final_stats=1 $(FUZZ_BUILD)/corpus/$$t; \
	done

bench: with-tests
	@for b in $(BUILD)/bench/*/bench_*; do [ -x "$$b" ] && "$$b"; done
	@CHANGES=400 EVERY=100 QRV_BUILD_DIR=$(BUILD) bench/soak
	@if command -v audacious >/dev/null && command -v mpv >/dev/null && command -v pulseaudio >/dev/null; then \
	  QRV_BUILD_DIR=$(BUILD) bench/peers; \
	else echo "bench/peers skipped: Audacious, mpv and PulseAudio are not installed (bench/peers installs them)"; fi

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
