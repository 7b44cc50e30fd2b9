# The two commands of the quick start. Each installs what is missing,
# configures and builds before it runs.
JOBS := $(shell nproc)

.PHONY: all deps build run check package screenshots bench clean

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
