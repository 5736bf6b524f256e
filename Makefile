BUILD_DIR ?= build
# Compiler caching keyed on paths relative to the checkout, so that another
# clone of the repository (a CI run) reuses what an earlier build compiled.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: run test check fuzz build deps configure asan bench clean package

run: build
	./$(BUILD_DIR)/formdesigner

# Every gate: the tests of the build, then the fuzz targets.
test: check fuzz

check: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The fuzz targets, built with clang, each run for FUZZ_SECONDS on its
# corpus; a finding fails and its input stays in $(FUZZ_DIR)/findings.
fuzz: deps
	@test -f $(FUZZ_DIR)/CMakeCache.txt || cmake -S fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

# The Debian package, formdesigner_VERSION_ARCH.deb in the build folder.
package: build
	cmake --build $(BUILD_DIR) --target package

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

configure: deps
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

deps:
	@scripts/install-deps

# Test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	$(MAKE) check BUILD_DIR=build-asan CMAKE_FLAGS="-DFD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DFD_BUILD_BENCH=OFF"

bench: build
	for b in $(BUILD_DIR)/bench/bench_*; do QT_QPA_PLATFORM=offscreen $$b; done
	python3 bench/startup/startup.py $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-asan $(FUZZ_DIR)
