# Korvane: `make run` builds and starts the toolbox; `make test` builds and runs every test,
# first in the normal build, then again built with AddressSanitizer and UBSan.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
# WERROR=ON turns compiler warnings into errors in both builds (CI does).
WERROR ?= OFF

.PHONY: all deps build run test test-normal test-sanitized bench package clean

all: build

deps:
	@scripts/deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WERROR=$(WERROR)

# An existing build folder follows a changed WERROR too.
build: deps $(BUILD)/build.ninja
	@grep -qx 'KORVANE_WERROR:BOOL=$(WERROR)' $(BUILD)/CMakeCache.txt || cmake $(BUILD) -DKORVANE_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/korvane; \
	else \
	  echo "No display found: starting Korvane under xvfb-run (a virtual X server)."; \
	  xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/korvane; \
	fi

test: test-normal test-sanitized

test-normal: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON -DKORVANE_BUILD_BENCH=OFF -DKORVANE_WERROR=$(WERROR)

# Any sanitizer report fails the run.
test-sanitized: deps $(ASAN_BUILD)/build.ninja
	@grep -qx 'KORVANE_WERROR:BOOL=$(WERROR)' $(ASAN_BUILD)/CMakeCache.txt || cmake $(ASAN_BUILD) -DKORVANE_WERROR=$(WERROR)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
