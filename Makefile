# Two entry points for a fresh Debian machine:
#   make run    builds and starts voronoi-sweep
#   make test   builds and passes every test, plain and under ASan + UBSan
JOBS ?= 2
BUILD ?= build
BUILD_SAN ?= build-san

.PHONY: deps build build-san run test test-plain test-san bench demo clean

deps:
	./tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
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
	rm -rf $(BUILD) $(BUILD_SAN)
