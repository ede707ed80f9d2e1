# Entry points: `make run`, `make test`, `make bench`, `make clean`.
# Every target installs what is missing first, then drives CMake.

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
WERROR     := $(if $(CI),ON,OFF)

.PHONY: all deps configure build programs screenshots build-asan build-fuzz run test test-core test-asan test-fuzz bench clean format

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTRALVIN_WERROR=$(WERROR) >/dev/null

# Everything: the programs, the tests and the benchmarks.
build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the window program and the batch runner, for `make run`.
programs: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tralvin1d tralvin1d-batch

build-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug \
	  -DTRALVIN_BUILD_UI=OFF -DTRALVIN_BUILD_BENCH=OFF -DTRALVIN_SANITIZE=ON -DTRALVIN_WERROR=$(WERROR) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

build-fuzz: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTRALVIN_BUILD_UI=OFF -DTRALVIN_BUILD_TESTS=OFF -DTRALVIN_BUILD_BENCH=OFF -DTRALVIN_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Every window and page as a PNG in $(BUILD)/screenshots, without a display.
screenshots: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tralvin1d-screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/tralvin1d-screenshots $(BUILD)/screenshots

run: programs
	@bash scripts/run-program $(BUILD)

test-asan: build-asan
	@echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure --no-label-summary -j $(JOBS) -L core

test-fuzz: build-fuzz
	@bash scripts/run-fuzzers $(FUZZ_BUILD)

test-core: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-label-summary -j $(JOBS)

# The sanitizer and fuzz runs come first so that the output ends with the
# summary of the full test run.
test: test-asan test-fuzz test-core

bench: build
	@bash scripts/run-bench $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
