# Entry point for people and CI.
#   make test   install what is missing, build the three targets, run every test
#   make run    build Vantrel.exe and start it under Wine
#   make bench  build and run the benchmarks
#   make installer  build the per-user installer (build/installer/Vantrel-Setup-<version>.exe)
.PHONY: all deps build test run bench installer format clean

all: build

deps:
	@scripts/ensure-deps.sh

build: deps
	@scripts/build.sh host win32 win64

test: build installer
	@scripts/run-tests.sh

run: deps
	@scripts/build.sh win32 win64
	@scripts/run-program.sh

bench: deps
	@scripts/build.sh bench
	@build/bench/bin/vantrel_bench

installer: deps
	@scripts/build-installer.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
