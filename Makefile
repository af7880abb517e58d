# The two commands: `make run` and `make test`. Both install what they need first.
.PHONY: all deps build test fuzz run bench screenshots package clean

CMAKE ?= cmake
CTEST ?= ctest

all: build

deps:
	@scripts/install-deps

build: deps
	$(CMAKE) --preset dev
	$(CMAKE) --build --preset dev

# Every test, then all of them again under AddressSanitizer + UndefinedBehaviorSanitizer, then a short fuzz run.
test: build
	$(CTEST) --preset dev
	$(CMAKE) --preset asan
	$(CMAKE) --build --preset asan
	$(CTEST) --preset asan
	scripts/fuzz 30

# Each fuzz target for three minutes.
fuzz: deps
	scripts/fuzz 180

run: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	build/release/app/kelvaro

# The core's time per call, then start-up time and idle memory against the toolkit's floor, and the instructions
# start-up takes, which repeat where timings on a busy machine do not (docs/performance.md).
bench: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	build/release/bench/kelvaro_bench
	bench/startup.sh build/release 20
	bench/instructions.sh build/release

# A .deb of the release build, for `apt-get install ./build/release/kelvaro_*.deb`.
package: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	cpack --preset release

# Every window rendered to PNG in a private X server, for the README and for checking layouts by eye.
# Also at the scale factors of high-DPI screens, into docs/screenshots/scale-<factor>/.
screenshots: build
	XDG_RUNTIME_DIR=$$(mktemp -d) xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
	  build/dev/app/kelvaro_screenshots docs/screenshots
	for factor in 1.5 2; do \
	  QT_SCALE_FACTOR=$$factor XDG_RUNTIME_DIR=$$(mktemp -d) xvfb-run -a -s "-screen 0 2560x2048x24 -dpi 96" \
	    build/dev/app/kelvaro_screenshots docs/screenshots/scale-$$factor || exit 1; \
	done

clean:
	rm -rf build
