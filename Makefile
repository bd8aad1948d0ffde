# Convenience front end to CMake. A newcomer needs only `make demo` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test check-layout demo gui guide bench fuzz package check-package sanitize clean \
        windows-configure windows windows-package test-windows

all: build

deps:
	@scripts/install-deps.sh

# A build folder keeps the generator it was made with (ninja may have been installed since).
configure: deps
	@if [ -f $(BUILD)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null; \
	else \
	  cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS) >/dev/null; \
	fi

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE layout

# Marked copies against their originals in LibreOffice (installs LibreOffice Writer when missing).
check-layout: build
	@scripts/install-deps.sh libreoffice
	@QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -V -L layout

demo: build
	@scripts/demo.sh $(BUILD)

gui: build
	@scripts/gui.sh $(BUILD)

# The user guide's screenshots, taken from the real window offscreen, and the guide as PDF.
guide: configure
	@scripts/guide.sh $(BUILD)

bench: build
	@scripts/bench.sh $(BUILD)

fuzz:
	@scripts/install-deps.sh fuzz
	@scripts/fuzz.sh $(or $(FUZZ_SECONDS),60) $(or $(FUZZ_TARGET),rtf)

# The Debian package, from a build folder of its own that builds only what ships (no tests, no
# benchmarks), as a Release build with Debian's hardening flags (packaging/hardening.cmake).
PACKAGE_BUILD ?= build-package
package:
	@scripts/install-deps.sh package
	@$(MAKE) --no-print-directory build BUILD=$(PACKAGE_BUILD) BUILD_TYPE=Release \
	  CMAKE_ARGS="-DBUILD_TESTING=OFF -DTALLIMARK_BUILD_BENCH=OFF $(CMAKE_ARGS)"
	@cd $(PACKAGE_BUILD) && cpack -G DEB

# lintian and appstreamcli on the package (installs them when missing).
check-package: package
	@scripts/install-deps.sh package-check
	@scripts/check-package.sh $(PACKAGE_BUILD)

sanitize:
	@$(MAKE) --no-print-directory test BUILD=build-asan BUILD_TYPE=Debug \
	  CMAKE_ARGS="-DTALLIMARK_SANITIZE=ON -DTALLIMARK_BUILD_BENCH=OFF $(CMAKE_ARGS)"

# Windows, cross-built on Debian with mingw-w64 and tested under Wine (see README, "Windows").
WINDOWS_BUILD ?= build-windows
windows-configure:
	@scripts/install-deps.sh windows
	@cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/windows-toolchain.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DTALLIMARK_BUILD_BENCH=OFF $(CMAKE_ARGS) >/dev/null

windows: windows-configure
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target tallimark tallimark-cli

windows-package: windows
	@scripts/windows-package.sh $(WINDOWS_BUILD)

# The test programs under Wine, then the Windows command line against the Linux one.
test-windows: windows-configure build
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@scripts/wine-run.sh $(WINDOWS_BUILD)/cli/tallimark-cli.exe --version # makes the Wine prefix once
	@ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j $(JOBS) -LE layout
	@scripts/windows-parity.sh $(BUILD) $(WINDOWS_BUILD)

clean:
	rm -rf build build-asan build-fuzz build-windows build-package
