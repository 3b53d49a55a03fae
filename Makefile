# The commands of the README: `make run`, `make test` and `make install` (into PREFIX, default
# /usr/local; DESTDIR is honoured). All install what is missing first.
# `make tsan` runs only the ThreadSanitizer stage of `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

PREFIX ?= /usr/local

.PHONY: all deps build run test tsan bench format clean install

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
