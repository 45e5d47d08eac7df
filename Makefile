# Two entry points on a fresh Debian machine: `make run` and `make test`.
# Both install what is missing first (Debian packages only).

JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 15

.PHONY: deps build run test unit-tests asan-tests fuzz bench clean format format-check lint

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/tabulon

unit-tests: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

asan-tests: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTABULON_GUI=OFF -DTABULON_BENCH=OFF -DTABULON_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABULON_GUI=OFF -DTABULON_BENCH=OFF -DTABULON_TESTS=OFF -DTABULON_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	bash scripts/run-fuzzers.sh $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

# Every C++ file of the project; clang-format decides their layout, clang-tidy the checks kept in
# .clang-tidy (findings are errors).
SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(SOURCES)

format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

lint: build
	git ls-files 'src/*.cpp' | xargs -P$(JOBS) -n8 clang-tidy -p $(BUILD) --quiet

test: format-check lint unit-tests asan-tests fuzz

bench: build
	@for b in $(BUILD)/bench/*_bench; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
