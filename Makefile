# The two commands of the quick start. Each installs what is missing,
# configures and builds before it runs.
JOBS := $(shell nproc)

.PHONY: all deps build run check check-sanitize fuzz fuzz-ci fuzz-build package screenshots bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

run: build
	./build/dev/zelba

# Tests build with warnings as errors, as CI does.
check: deps
	@cmake --preset ci >/dev/null
	@cmake --build --preset ci -j $(JOBS)
	@ctest --preset ci -j $(JOBS)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (leaks included); any report fails the test. The soak sessions are shorter
# here, and the end-to-end test stays out (see README, Reliability).
check-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	@ctest --preset sanitize -j $(JOBS)

# The core's fuzz targets (clang, libFuzzer): `make fuzz` runs each for
# FUZZ_SECONDS (10 minutes unless set), `make fuzz-ci` for about a minute.
FUZZ_SECONDS ?= 600
fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

fuzz: fuzz-build
	@fuzz/run $(FUZZ_SECONDS)

fuzz-ci: fuzz-build
	@fuzz/run 55

# The Debian package, built in Release: build/package/zelba_<version>_<arch>.deb
package: deps
	@cmake --preset package >/dev/null
	@cmake --build --preset package -j $(JOBS)
	@cpack --preset package

# A picture of each window, taken under Xvfb and openbox, into docs/screenshots.
screenshots: build
	@packaging/screenshots --program build/dev/zelba --output docs/screenshots

# Benchmarks in Release, on the offscreen platform and on a private Xvfb:
# one table of Zelba's figures beside bare Qt's, also as JSON. No timing is
# asserted anywhere; this only measures.
bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@bench/run-bench --build-dir build/bench

clean:
	rm -rf build
