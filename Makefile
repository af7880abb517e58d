# The two commands: `make run` and `make test`. Both install what they need first.
.PHONY: all deps build test run bench clean

CMAKE ?= cmake
CTEST ?= ctest

all: build

deps:
	@scripts/install-deps

build: deps
	$(CMAKE) --preset dev
	$(CMAKE) --build --preset dev

test: build
	$(CTEST) --preset dev

run: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	@if [ -x build/release/app/kelvaro ]; then build/release/app/kelvaro; \
	else echo "Kelvaro's windows are not built yet: the calculation core and its tests are in place (make test)."; fi

bench: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	build/release/bench/kelvaro_bench

clean:
	rm -rf build
