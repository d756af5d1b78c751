# Thin wrapper over CMake: installs what a fresh Debian 12 lacks, then builds.

SHELL := /bin/bash
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
FUZZ_SECONDS   ?= 20
FUZZ_TARGETS    = lists preferences stl answer step commands
BUILD_TYPE     ?= RelWithDebInfo
PACKAGES = g++ cmake ninja-build make pkg-config qt6-base-dev qt6-svg-dev qt6-tools-dev \
           qt6-l10n-tools libgl-dev libbenchmark-dev xvfb xauth fonts-dejavu-core \
           clang clang-format libfuzzer-14-dev libspnav-dev spacenavd dpkg-dev \
           desktop-file-utils qt6-translations-l10n libassimp-dev libgl1-mesa-dri ccache \
           help2man man-db appstream \
           lib3mf-dev libseccomp-dev libtinygltf-dev nlohmann-json3-dev \
           libocct-data-exchange-dev libmeshoptimizer-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Installs those of the packages given that are missing.
define install_missing
	@missing=$$(for p in $(1); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -q && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi
endef
TARVIK = $(BUILD_DIR)/bin/tarvik

# The folders whose texts the catalogues translate.
TRANSLATED = host cli model cad reader view spaceware device toolkit images module forms workflow motionctrl fcteditor dock uiscript app
LUPDATE = /usr/lib/qt6/bin/lupdate -silent -I . -locations none

.PHONY: run test screenshots check-all test-asan fuzz bench deps build build-bench build-asan format check-format \
        translations check-translations package clean

# Starts the host with the module. Without a display, it runs under Xvfb and
# saves a screenshot instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(TARVIK) $(ARGS); \
	else \
		echo "No display: running under Xvfb, the window goes to $(BUILD_DIR)/tarvik.png"; \
		$(XVFB) $(TARVIK) --screenshot $(BUILD_DIR)/tarvik.png $(ARGS); \
	fi

# The tests of the view draw with OpenGL on an X server of their own: Xvfb,
# where Mesa's software driver draws.
XVFB = xvfb-run -a -s "-screen 0 1920x1080x24"

# Builds and runs every test.
test: build
	cd $(BUILD_DIR) && $(XVFB) ctest --output-on-failure -j2

# The README's pictures, made by the program itself, in English and German.
screenshots: build
	$(XVFB) docs/screenshots.sh $(TARVIK) docs/images

# What CI runs: the sources' checks, every test, the benchmarks' build,
# every test again under the sanitizers, and the fuzz runs.
check-all: check-format check-translations test build-bench test-asan fuzz

# A bounded run of each fuzz target from the seeds kept in fuzz/corpus; what
# it finds stays in $(ASAN_BUILD_DIR), and a crash fails the run. OpenCASCADE
# crashes on hostile files (it recurses without end on an edge made of
# itself): the STEP target runs on past crashes, which fail the run only
# when they are not inside OpenCASCADE, whose crashes end the reader alone.
CONTAINED_FUZZ_TARGETS = step
fuzz: build-asan
	@for target in $(FUZZ_TARGETS); do \
		prefix=$(ASAN_BUILD_DIR)/artifacts/$$target-; options=; \
		case " $(CONTAINED_FUZZ_TARGETS) " in *" $$target "*) \
			options="-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 -timeout=10";; esac; \
		mkdir -p $(ASAN_BUILD_DIR)/corpus/$$target $(ASAN_BUILD_DIR)/artifacts && \
		echo "Fuzzing $$target for $(FUZZ_SECONDS) s" && \
		$(ASAN_BUILD_DIR)/bin/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			$$options -artifact_prefix=$$prefix \
			$(ASAN_BUILD_DIR)/corpus/$$target fuzz/corpus/$$target 2>&1 | \
			grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done|==|SUMMARY|INFO: seed|INFO: fuzzed)' ; \
		status=$${PIPESTATUS[0]}; \
		if [ -n "$$options" ]; then \
			fuzz/library_crashes_only.sh $(ASAN_BUILD_DIR)/bin/fuzz_$$target $$prefix libTK || exit 1; \
		else \
			test $$status -eq 0 || exit 1; \
		fi; \
	done

test-asan: build-asan
	cd $(ASAN_BUILD_DIR) && $(XVFB) ctest --output-on-failure -j2

# The peers the benchmarks compare with.
BENCH_PACKAGES = f3d assimp-utils

bench: build-bench
	$(call install_missing,$(BENCH_PACKAGES))
	@for b in $(BUILD_DIR)/bin/bench_*; do $(XVFB) env QT_QPA_PLATFORM=xcb $$b; done

deps:
	$(call install_missing,$(PACKAGES))

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR)

# The sanitizers' build, by clang, which also builds the fuzz targets.
build-bench: build
	cmake --build $(BUILD_DIR) --target benchmarks

build-asan: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_COMPILER=clang++ -DKESTRAVA_SANITIZE=ON -DKESTRAVA_FUZZ=ON
	cmake --build $(ASAN_BUILD_DIR)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

check-format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# Brings the catalogues up to date with the sources; then translate what
# is marked unfinished.
translations: deps
	$(LUPDATE) -no-obsolete $(TRANSLATED) -ts translations/*.ts

# Fails when a text of the sources has no translation yet, or a translation
# no text any more.
check-translations: deps
	@copies=$$(mktemp -d) && cp translations/*.ts $$copies/ && \
	$(LUPDATE) $(TRANSLATED) -ts $$copies/*.ts && \
	if grep -E -n -B2 'type="(unfinished|vanished|obsolete)"' $$copies/*.ts; then \
		echo "The catalogues are not up to date: run make translations and translate"; \
		rm -rf $$copies; exit 1; \
	fi; rm -rf $$copies

# The Debian package, in $(BUILD_DIR).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
