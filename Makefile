# The two commands: `make run` and `make test`. Both install what they need first.
.PHONY: all deps build web test stress fuzz run bench screenshots package clean

CMAKE ?= cmake
CTEST ?= ctest

all: build

deps:
	@scripts/install-deps

build: deps
	$(CMAKE) --preset dev
	$(CMAKE) --build --preset dev

# The browser edition: build/web/kelvaro.html, one file to open from disk (the dev build makes it as well).
web: deps
	$(CMAKE) --preset dev
	$(CMAKE) --build --preset dev --target kelvaro_web

# Every test, then all of them again under AddressSanitizer + UndefinedBehaviorSanitizer, then a short fuzz run.
test: build
	$(CTEST) --preset dev
	$(CMAKE) --preset asan
	$(CMAKE) --build --preset asan
	$(CTEST) --preset asan
	scripts/fuzz 30

# The window tests and the end-to-end tests 20 times each, the soak test with 20 fresh seeds; ends with
# "N passed, N failed". Not part of `test`: run it with other work on the machine to find tests that flake.
stress: build
	scripts/stress 20

# Each fuzz target for twenty minutes: more than 10^8 executions in all even on a busy machine (docs/reliability.md).
fuzz: deps
	scripts/fuzz 1200

run: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	build/release/app/kelvaro

# The core's time per call, then start-up time and idle memory against the toolkit's floor, and the instructions
# start-up takes, which repeat where timings on a busy machine do not; then the browser edition's first paint and
# time to usable against the same page without its script (docs/performance.md).
bench: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	build/release/bench/kelvaro_bench
	$(CMAKE) --preset dev
	$(CMAKE) --build --preset dev --target kelvaro_web
	node bench/crane_page.mjs build/web/kelvaro.wasm web/src/core.mjs
	bench/startup.sh build/release 20
	bench/instructions.sh build/release
	$(CMAKE) --preset dev
	$(CMAKE) --build --preset dev --target kelvaro_web
	/usr/bin/python3 bench/page_load.py build/web/kelvaro.html 20

# A .deb of the release build, for `apt-get install ./build/release/kelvaro_*.deb`.
package: deps
	$(CMAKE) --preset release
	$(CMAKE) --build --preset release
	cpack --preset release

# Every window rendered to PNG in a private X server, for the README and for checking layouts by eye.
# Also at the scale factors of high-DPI screens, into docs/screenshots/scale-<factor>/, and the browser edition's
# windows in headless Chromium, into docs/screenshots/web/. Each calculator's sheet for its worked example is
# written as a PDF and turned into docs/screenshots/sheet_<window>.png at 100 dpi.
screenshots: build
	sheets=$$(mktemp -d) && \
	XDG_RUNTIME_DIR=$$(mktemp -d) xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
	  build/dev/app/kelvaro_screenshots docs/screenshots $$sheets && \
	for pdf in $$sheets/*.pdf; do \
	  pdftoppm -png -r 100 -singlefile $$pdf docs/screenshots/$$(basename $$pdf .pdf) || exit 1; \
	done && rm -r $$sheets
	for factor in 1.5 2; do \
	  QT_SCALE_FACTOR=$$factor XDG_RUNTIME_DIR=$$(mktemp -d) xvfb-run -a -s "-screen 0 2560x2048x24 -dpi 96" \
	    build/dev/app/kelvaro_screenshots docs/screenshots/scale-$$factor || exit 1; \
	done
	/usr/bin/python3 tests/web/browser_test.py build/web/kelvaro.html build/web/page.json build/web/examples.json \
	  docs/screenshots/web \
	  BrowserEdition.test_screenshot_of_every_window BrowserEdition.test_several_cranes_window

clean:
	rm -rf build
