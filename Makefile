# The front door. `make run` and `make test` install what is missing first.
.PHONY: all deps build host fuzz-build fuzz run test clean dist installer screenshots bench

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

# Runs the settings reader under libFuzzer for FUZZ_SECONDS (5 minutes by default). New inputs
# collect in build/fuzz/corpus; crashes are written to build/fuzz/ and belong, once fixed, in
# fuzz/corpus/settings as regression cases.
FUZZ_SECONDS ?= 300
fuzz: fuzz-build
	@mkdir -p build/fuzz/corpus
	build/fuzz/settings_fuzz -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/fuzz/ \
	  build/fuzz/corpus fuzz/corpus/settings

# Shows the label under Wine: on $DISPLAY when there is one, otherwise on a virtual display
# with a screenshot written to build/screenshot.png. Ctrl-C stops everything it started.
run: build
	@if [ -n "$$DISPLAY" ]; then \
	  scripts/wine-run -- wine build/windows/Lumatag.exe; \
	else \
	  scripts/wine-run --screenshot build/screenshot.png -- wine build/windows/Lumatag.exe; \
	fi

test: build host fuzz-build installer
	@scripts/run-tests

# The release: first proves that Lumatag.exe builds byte-identically from two other folders
# (and equals build/windows/Lumatag.exe), then writes the portable zip and the installer to
# dist/ and prints their SHA-256.
dist: build
	@scripts/check-reproducible build/windows/Lumatag.exe
	@scripts/dist

# Only the installer, for the installer test layer of `make test`.
installer: build
	@scripts/dist installer >/dev/null

# Pictures of the real program under Wine for the README, written to docs/.
screenshots: build
	@scripts/screenshots

# Lumatag beside a minimal Win32 program with the same main loop, under one Wine session:
# start-up, rebuilds per second, idle CPU, memory and size, as a table (scripts/bench). Builds
# only what it measures, so it runs in a few minutes from a fresh clone.
bench: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target Lumatag bench_reference bench_driver bench_probe workarea_hook
	@scripts/bench

clean:
	rm -rf build dist
