# Two entry points for a fresh Debian machine:
#   make run    builds and starts voronoi-sweep (installing only what the program needs)
#   make test   builds and passes every test, plain and under ASan + UBSan, and the
#               Windows build's under Wine
# and `make win32`, which cross-builds the Windows program, $(BUILD_WIN32)/app/voronoi-sweep.exe.
JOBS ?= 2
BUILD ?= build
BUILD_SAN ?= build-san
BUILD_WIN32 ?= build-win32
BUILD_FUZZ ?= build-fuzz
# make fuzz: how long each fuzz target runs (CI runs at least 60).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := session-fuzzer palette-fuzzer
# make install PREFIX=... DESTDIR=...: where the files go, and a staging root before it.
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: deps deps-run configure build build-linux build-san win32 win32-configure win32-all \
        run test test-plain test-san fuzz bench bench-frames bench-gl bench-memory demo icons \
        install package clean

deps:
	./tools/install-deps.sh

deps-run:
	./tools/install-deps.sh run

# The Windows build's directory is named here too: the plain suite runs its programs under Wine.
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_BUILD_TESTS=ON \
	  -DVS_WIN32_BUILD_DIR=$(abspath $(BUILD_WIN32))

win32-configure: deps
	cmake -S . -B $(BUILD_WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release

win32: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS) --target voronoi-sweep

# The Windows program and its conformance suite, which the plain build runs under Wine.
win32-all: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS)

# The Linux program, its tests and benchmarks; `build` adds the Windows program.
build-linux: configure
	cmake --build $(BUILD) -j $(JOBS)

build: build-linux win32-all

build-san: deps
	cmake -S . -B $(BUILD_SAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)

# Only what is installed: a first run need not wait for the tests, nor install their
# packages. A build directory that exists keeps its settings (tests on after `make test`).
run: deps-run
	test -f $(BUILD)/CMakeCache.txt || \
	  cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_BUILD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target installables
	./$(BUILD)/app/voronoi-sweep

test-plain: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-san: build-san
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(BUILD_SAN) --output-on-failure -j $(JOBS)

test: test-plain test-san

# The libFuzzer targets, built with clang under ASan + UBSan and run FUZZ_SECONDS each on a
# copy of their seed corpus; fails when one finds a fault.
fuzz: deps
	cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target $(FUZZ_TARGETS)
	./tools/run-fuzz.sh $(BUILD_FUZZ) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Benchmarks, never part of the tests: the frame routine beside its literal reference with
# the OpenGL calls discarded; then every frame's time with real OpenGL under Xvfb, both
# routines, and the Windows build's frame routine under Wine; then resident memory over
# 200,000 frames with the calls discarded and over 10,000 with real OpenGL.
bench: bench-frames bench-gl bench-memory

bench-frames: build-linux
	./$(BUILD)/bench/sweep-bench

bench-gl: build-linux win32-bench
	./tools/bench-gl.sh table $(BUILD) $(BUILD_WIN32)

# Only the benchmark of the Windows build (its program and tests are `win32-all`).
.PHONY: win32-bench
win32-bench: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS) --target gl-frames

bench-memory: build-linux
	./$(BUILD)/bench/memory-bench
	./tools/bench-gl.sh memory $(BUILD)

# The README's pictures: the animation of a whole session and two stills, into docs/.
demo: build-linux
	./$(BUILD)/tests/e2e/voronoi-demo docs

# Draws the icon again from the program's own picture into data/icons/ (committed; a test
# checks that they are current).
icons: build-linux
	./tools/draw-icons.sh $(BUILD)/tests/packaging/voronoi-icon data/icons

install: configure
	cmake --build $(BUILD) -j $(JOBS) --target installables
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

# The Debian package, voronoi-sweep_<version>_amd64.deb, in the build directory.
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target installables
	cd $(BUILD) && cpack --config CPackConfig.cmake

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_WIN32) $(BUILD_FUZZ)
