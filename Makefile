# Two entry points for a fresh Debian machine:
#   make run    builds and starts voronoi-sweep (installing only what the program needs)
#   make test   builds and passes every test, plain and under ASan + UBSan, and the
#               Windows build's under Wine
# and `make win32`, which cross-builds the Windows program, $(BUILD_WIN32)/app/voronoi-sweep.exe,
# `make msi` and `make zip`, its installer and portable zip, and `make web`, which builds the
# browser's page, $(BUILD_WEB)/voronoi-sweep.html; `make release`, which builds every one of
# them for the checked-out commit into $(DIST)/ with SHA256SUMS, the same bytes from any
# clone, and `make check-reproducible`, which proves that; `make audit-web`, Lighthouse on
# the page.
JOBS ?= 2
BUILD ?= build
BUILD_SAN ?= build-san
BUILD_WIN32 ?= build-win32
BUILD_FUZZ ?= build-fuzz
BUILD_WEB ?= build-web
BUILD_RELEASE ?= build-release
DIST ?= dist
# Debian's Emscripten runs its optimiser under node, which finds its modules (acorn) here.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs
# Each build is spelled once, in its rule below: tools/release.sh builds the release through
# the Linux, Windows and web rules too, with CONFIGURE_OPTIONS=-DVS_BUILD_TESTS=OFF, and with
# PACKAGES=release, so that `make deps` asks only for what those builds need without tests.
CONFIGURE_OPTIONS ?=
PACKAGES ?= all
# make fuzz: how long each fuzz target runs (CI runs at least 60).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := session-fuzzer palette-fuzzer
# make install PREFIX=... DESTDIR=...: where the files go, and a staging root before it.
PREFIX ?= /usr/local
DESTDIR ?=
# A plain `make` builds the program alone, as `make run` does, without starting it.
.DEFAULT_GOAL := program
# Who builds: the owner of this clone, also when root runs make (sudo make install), so that
# no file in the build tree is root's; root builds only a clone that root owns.
BUILDER := $(shell stat -c %U .)
AS_BUILDER := $(if $(filter 0,$(shell id -u)),$(if $(filter root,$(BUILDER)),,runuser -u $(BUILDER) --))

.PHONY: deps deps-run configure build build-linux build-san win32 win32-configure win32-all msi zip \
        program build-program run test test-plain test-san fuzz bench bench-frames bench-gl \
        bench-memory demo icons install package clean \
        web web-configure web-all bench-web deps-release release check-reproducible

deps:
	./tools/install-deps.sh $(PACKAGES)

deps-run:
	./tools/install-deps.sh run

deps-web:
	./tools/install-deps.sh web

deps-release:
	./tools/install-deps.sh release

# The Windows build's directory is named here too: the plain suite runs its programs under Wine.
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_BUILD_TESTS=ON \
	  -DVS_WIN32_BUILD_DIR=$(abspath $(BUILD_WIN32)) -DVS_WEB_BUILD_DIR=$(abspath $(BUILD_WEB)) \
	  $(CONFIGURE_OPTIONS)

win32-configure: deps
	cmake -S . -B $(BUILD_WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(CONFIGURE_OPTIONS)

win32: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS) --target voronoi-sweep

# The Windows releases in $(BUILD_WIN32)/: the installer voronoi-sweep-<version>-x64.msi
# (wixl) and the portable voronoi-sweep-<version>-win64.zip, of the same files.
msi zip: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS) --target $@

# The Windows program, its releases and its conformance suite, which the plain build runs
# and checks under Wine.
win32-all: win32-configure
	cmake --build $(BUILD_WIN32) -j $(JOBS)

# The browser's page: one HTML file with the program inside. `web-all` adds the test page
# and the benchmark page that the plain build's tests and `make bench-web` load.
web-configure: deps-web
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(BUILD_WEB) -DCMAKE_BUILD_TYPE=Release \
	  $(CONFIGURE_OPTIONS)

web: web-configure
	$(EMSCRIPTEN_ENV) cmake --build $(BUILD_WEB) -j $(JOBS) --target voronoi-sweep-page

web-all: web-configure
	$(EMSCRIPTEN_ENV) cmake --build $(BUILD_WEB) -j $(JOBS)

# The Linux program, its tests and benchmarks; `build` adds the Windows program and the
# browser's pages.
build-linux: configure
	cmake --build $(BUILD) -j $(JOBS)

build: build-linux win32-all web-all

build-san: deps
	cmake -S . -B $(BUILD_SAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)

# Only what is installed, built by the clone's owner: a first run, an install or a package
# need not wait for the tests, nor install their packages. A build directory that exists
# keeps its settings (tests on after `make test`).
program: deps-run
	$(AS_BUILDER) $(MAKE) --no-print-directory build-program

build-program:
	test -f $(BUILD)/CMakeCache.txt || \
	  cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_BUILD_TESTS=OFF $(CONFIGURE_OPTIONS)
	cmake --build $(BUILD) -j $(JOBS) --target installables

run: program
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
# 200,000 frames with the calls discarded and over 10,000 with real OpenGL; then the frame
# times in the browser beside the native ones.
bench: bench-frames bench-gl bench-memory bench-web

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

# Lighthouse on the page as a phone sees it (three runs, the medians against their aims): not
# part of the tests, whose machine's load would sway its timings.
.PHONY: audit-web
audit-web: web
	./tools/install-deps.sh audit
	/usr/bin/python3 tools/audit-web.py $(BUILD_WEB)

bench-web: build-linux web-all
	/usr/bin/python3 bench/web/run_web_bench.py $(BUILD_WEB) $(BUILD)/bench/sweep-bench

# The README's pictures: the animation of a whole session and two stills, into docs/.
demo: build-linux
	./$(BUILD)/tests/e2e/voronoi-demo docs

# Draws the icon again from the program's own picture into data/icons/ (committed; a test
# checks that they are current).
icons: build-linux
	./tools/draw-icons.sh $(BUILD)/tests/packaging/voronoi-icon data/icons

# After `make program` (or a plain build) `sudo make install` only copies: the build is
# already done, and the list of installed files that CMake writes into the build tree goes
# back to the tree's owner.
install: program
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip
	if [ "$$(id -u)" = 0 ]; then chown --reference=$(BUILD) $(BUILD)/install_manifest.txt; fi

# The Debian package, voronoi-sweep_<version>_amd64.deb, in the build directory.
package: program
	cd $(BUILD) && $(AS_BUILDER) cpack --config CPackConfig.cmake

# The release of the checked-out commit in $(DIST)/: the Debian package, the Windows
# installer and zip, the web page, the source tarball and SHA256SUMS; built afresh in
# $(BUILD_RELEASE)/ by the clone's owner. check-reproducible builds it twice, from two
# clones in other folders with another umask, time zone, locale and clock, and compares.
release: deps-release
	$(AS_BUILDER) ./tools/release.sh $(BUILD_RELEASE) $(DIST)

check-reproducible: deps-release
	$(AS_BUILDER) ./tools/check-reproducible.sh

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_WIN32) $(BUILD_FUZZ) $(BUILD_WEB) $(BUILD_RELEASE) $(DIST)
