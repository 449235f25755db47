# Two entry points for a fresh Debian machine:
#   make run    builds and starts voronoi-sweep
#   make test   builds and passes every test, plain and under ASan + UBSan, and the
#               Windows build's under Wine
# and `make win32`, which cross-builds the Windows program, $(BUILD_WIN32)/app/voronoi-sweep.exe.
JOBS ?= 2
BUILD ?= build
BUILD_SAN ?= build-san
BUILD_WIN32 ?= build-win32

.PHONY: deps build build-san win32 win32-configure win32-all run test test-plain test-san bench demo clean

deps:
	./tools/install-deps.sh

win32-configure: deps
	cmake -S . -B $(BUILD_WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release

win32: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS) --target voronoi-sweep

# The Windows program and its conformance suite, which the plain build runs under Wine.
win32-all: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS)

build: deps win32-all
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVS_WIN32_BUILD_DIR=$(abspath $(BUILD_WIN32))
	cmake --build $(BUILD) -j $(JOBS)

build-san: deps
	cmake -S . -B $(BUILD_SAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)

# Only the program: a first run need not wait for the tests to build.
run: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target voronoi-sweep
	./$(BUILD)/app/voronoi-sweep

test-plain: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-san: build-san
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(BUILD_SAN) --output-on-failure -j $(JOBS)

test: test-plain test-san

bench: build
	./$(BUILD)/bench/sweep-frames

demo: build
	./$(BUILD)/tests/e2e/voronoi-demo docs

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_WIN32)
