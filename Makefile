# The front door. `make run` and `make test` install what is missing first.
.PHONY: all deps build host run test test-unit test-win32 test-e2e clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

# Shows the label under Wine: on $DISPLAY when there is one, otherwise on a virtual display
# with a screenshot written to build/screenshot.png. Ctrl-C stops everything it started.
run: build
	@if [ -n "$$DISPLAY" ]; then \
	  scripts/wine-run -- wine build/windows/Lumatag.exe; \
	else \
	  scripts/wine-run --screenshot build/screenshot.png -- wine build/windows/Lumatag.exe; \
	fi

test: build host
	@scripts/run-tests

clean:
	rm -rf build
