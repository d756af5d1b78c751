# Thin wrapper over CMake: installs what a fresh Debian 12 lacks, then builds.

BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
BUILD_TYPE     ?= RelWithDebInfo
PACKAGES = g++ cmake ninja-build make pkg-config qt6-base-dev qt6-svg-dev qt6-tools-dev \
           qt6-l10n-tools libgl-dev libbenchmark-dev xvfb xauth fonts-dejavu-core
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
TARVIK = $(BUILD_DIR)/bin/tarvik

.PHONY: run test test-asan bench deps build build-asan format clean

# Starts the host with the module. Without a display, it runs under Xvfb and
# saves a screenshot instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(TARVIK) $(ARGS); \
	else \
		echo "No display: running under Xvfb, the window goes to $(BUILD_DIR)/tarvik.png"; \
		xvfb-run -a $(TARVIK) --screenshot $(BUILD_DIR)/tarvik.png $(ARGS); \
	fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

test-asan: build-asan
	cd $(ASAN_BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do QT_QPA_PLATFORM=offscreen $$b; done

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -q && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRAVA_SANITIZE=ON
	cmake --build $(ASAN_BUILD_DIR)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
