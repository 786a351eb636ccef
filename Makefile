# Xelmor: `make run` sets up, builds and starts the program; `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench fuzz clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/xelmor

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j$(JOBS)

bench: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DXELMOR_BENCH=ON
	cmake --build $(BUILD) -j$(JOBS)
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

# The readers' fuzz targets, built with clang and the sanitizers in their own folder; each runs
# for SECONDS seconds and any crash, leak or undefined behaviour fails.
FUZZ_BUILD ?= build-fuzz
FUZZ_CXX ?= clang++-14
SECONDS ?= 60

fuzz: deps
	cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=$(FUZZ_CXX)
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	fuzz/run $(FUZZ_BUILD) $(SECONDS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
