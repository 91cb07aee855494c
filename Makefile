# Korvane: `make run` builds and starts the toolbox; `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@scripts/deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/korvane; \
	else \
	  echo "No display found: starting Korvane under xvfb-run (a virtual X server)."; \
	  xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/korvane; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

clean:
	rm -rf $(BUILD)
