# The two commands of the quick start, and the others. Each installs the
# Debian packages it needs that are missing, configures and builds first.
JOBS := $(shell nproc)

.PHONY: all build run check check-sanitize package screenshots bench clean

all: build

build:
	@scripts/install-deps run
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

run: build
	./build/dev/zelba

# Tests build with warnings as errors, as CI does.
check:
	@scripts/install-deps check
	@cmake --preset ci >/dev/null
	@cmake --build --preset ci -j $(JOBS)
	@ctest --preset ci -j $(JOBS)

# The tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (leaks included); any report fails the test. The end-to-end and package
# tests, which run the program in a process of their own, stay out.
check-sanitize:
	@scripts/install-deps check
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	@ctest --preset sanitize -j $(JOBS)

# The Debian package, built in Release: build/package/zelba_<version>_<arch>.deb
package:
	@scripts/install-deps package
	@cmake --preset package >/dev/null
	@cmake --build --preset package -j $(JOBS)
	@cpack --preset package

# A picture of each window, taken under Xvfb and openbox, into docs/screenshots.
screenshots: build
	@scripts/install-deps screenshots
	@dbus-run-session -- /usr/bin/python3 packaging/screenshots build/dev/zelba docs/screenshots

# Benchmarks in Release, on the offscreen platform and on a private Xvfb:
# one table of Zelba's figures beside bare Qt's, also as JSON. No timing is
# asserted anywhere; this only measures.
bench:
	@scripts/install-deps bench
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@bench/run-bench --build-dir build/bench

clean:
	rm -rf build
