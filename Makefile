# The commands of the README: `make run`, `make test` and `make install` (into PREFIX, default
# /usr/local; DESTDIR is honoured). All install what is missing first.
# `make tsan` runs only the ThreadSanitizer stage of `make test`; `make fuzz` runs every fuzz target.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

PREFIX ?= /usr/local

.PHONY: all deps build run test tsan fuzz bench format clean install

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/editor/wavedesk $(ARGS)

test: build
	@scripts/run-tests

install: build
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

tsan: deps
	@scripts/run-tsan-tests

# Every fuzz target for FUZZ_SECONDS each (default 600); failing inputs are kept as regression tests.
fuzz: deps
	@KX_FUZZ_EACH=1 scripts/run-fuzz $(or $(FUZZ_SECONDS),600)

# Every benchmark program the build made, one after another; the first that fails stops the run.
bench: build
	@for program in $(BUILD)/bench/*_bench; do \
		[ -x "$$program" ] || continue; \
		echo "== $$(basename $$program)"; \
		"$$program" || exit 1; \
	done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) build-asan build-tsan build-fuzz
