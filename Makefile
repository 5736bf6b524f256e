BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps configure asan bench clean

run: build
	./$(BUILD_DIR)/formdesigner

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

configure: deps
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

deps:
	@scripts/install-deps

# Test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	$(MAKE) test BUILD_DIR=build-asan CMAKE_FLAGS="-DFD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DFD_BUILD_BENCH=OFF"

bench: build
	for b in $(BUILD_DIR)/bench/bench_*; do QT_QPA_PLATFORM=offscreen $$b; done
	python3 bench/startup/startup.py $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-asan
