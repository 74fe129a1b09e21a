# Entry points: `make run`, `make test`; also `make asan`, `make bench`, `make demo` and
# `make package`.
MAKEFLAGS  += --no-print-directory
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo
ifneq ($(CI),)
CMAKE_FLAGS += -DVISTREL_WERROR=ON
endif

SANITIZER_ENV = ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1:abort_on_error=0 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: run test asan bench deps build format demo package

deps:
	@./scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/vistrel-utility

test: build
	cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVISTREL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest -j $(JOBS) --output-on-failure

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/*_bench; do [ -x "$$b" ] && echo "== $$b" && \
	    LD_PRELOAD=libumockdev-preload.so.0 "$$b"; done; true

# The utility on this desktop against the simulated camera: Enter presses the camera's button.
demo: build
	LD_PRELOAD=libumockdev-preload.so.0 ./$(BUILD)/demo/vistrel-demo

# A Debian package (build/vistrel-utility_<version>_<arch>.deb) for `apt install ./<file>`.
package: build
	cd $(BUILD) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
