# Two entry points for a fresh Debian machine:
#   make run    builds and starts voronoi-sweep
#   make test   builds and passes every test, plain and under ASan + UBSan
JOBS ?= 2
BUILD ?= build
BUILD_SAN ?= build-san
# make install PREFIX=... DESTDIR=...: where the files go, and a staging root before it.
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: deps configure build build-san run test test-plain test-san bench demo icons install \
        package clean

deps:
	./tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

build-san: deps
	cmake -S . -B $(BUILD_SAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_SANITIZE=ON
	cmake --build $(BUILD_SAN) -j $(JOBS)

# Only what is installed: a first run need not wait for the tests to build.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target installables
	./$(BUILD)/app/voronoi-sweep

test-plain: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-san: build-san
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(BUILD_SAN) --output-on-failure -j $(JOBS)

test: test-plain test-san

bench: build
	./$(BUILD)/bench/sweep-frames

# The README's pictures: the animation of a whole session and two stills, into docs/.
demo: build
	./$(BUILD)/tests/e2e/voronoi-demo docs

# Draws the icon again from the program's own picture into data/icons/ (committed; a test
# checks that they are current).
icons: build
	./tools/draw-icons.sh $(BUILD)/tests/packaging/voronoi-icon data/icons

install: configure
	cmake --build $(BUILD) -j $(JOBS) --target installables
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

# The Debian package, voronoi-sweep_<version>_amd64.deb, in the build directory.
package: configure
	cmake --build $(BUILD) -j $(JOBS) --target installables
	cd $(BUILD) && cpack --config CPackConfig.cmake

clean:
	rm -rf $(BUILD) $(BUILD_SAN)
