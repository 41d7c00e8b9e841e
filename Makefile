# The two commands a new machine needs: `make run` and `make test`.
# Both install any missing Debian packages first, then configure and build.
BUILD_DIR := build
CMAKE_FLAGS ?= -DMOXA_WERROR=ON
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test clean

all: build

deps:
	@tools/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}$${QT_QPA_PLATFORM:-}" ]; then \
	    echo "make run: no display (DISPLAY and WAYLAND_DISPLAY are unset); try: xvfb-run -a make run" >&2; \
	    exit 1; \
	fi
	$(BUILD_DIR)/moxabell

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
