# The two commands of the quick start. Each installs what is missing,
# configures and builds before it runs.
JOBS := $(shell nproc)

.PHONY: all deps build run check clean

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

clean:
	rm -rf build
