# Brevane: two commands to start with, `make run` and `make test`.

BUILD_DIR ?= build
BUILD_TYPE ?= Debug
# What a user runs, installs and packages: optimised, without the tests.
RELEASE_DIR := build-release
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
SANITIZE ?=
CTEST_ARGS ?=
comma := ,
MAKEFLAGS += --no-print-directory

# A sanitized build lives beside the plain one, so switching costs no rebuild.
# It never carries the fuzzer's instrumentation, even in a folder configured
# before: scripts/fuzz.sh turns that on in a folder of its own.
ifneq ($(SANITIZE),)
  BUILD_DIR := build-$(subst $(comma),-,$(SANITIZE))
  CMAKE_SANITIZE := -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DBREVANE_SANITIZE=$(SANITIZE) \
      -DBREVANE_BUILD_FUZZ=OFF
endif

WINDOWS_DIR ?= build-windows

.PHONY: all deps configure build release run test test-alsa test-alsa-windows bench fuzz install package screenshot clean windows windows-zip windows-smoke

all: build

deps:
	@bash scripts/deps.sh

configure: deps
	@mkdir -p $(BUILD_DIR)
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_SANITIZE) $(CMAKE_EXTRA) > $(BUILD_DIR)/configure.log 2>&1 \
	    || { cat $(BUILD_DIR)/configure.log; exit 1; }

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

release:
	@$(MAKE) build BUILD_TYPE=Release BUILD_DIR=$(RELEASE_DIR) SANITIZE= CMAKE_EXTRA=-DBREVANE_BUILD_TESTS=OFF

run: release
	@bash scripts/run.sh $(RELEASE_DIR)/bin/brevane $(ARGS)

test: build
	@bash scripts/test.sh $(BUILD_DIR) $(CTEST_ARGS)

# The program on the Linux kernel's own MIDI drivers, in a virtual machine.
test-alsa: build
	@bash scripts/alsa-vm/run.sh $(BUILD_DIR)

bench: release
	@bash scripts/bench.sh $(RELEASE_DIR)

fuzz: deps
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

install: release
	@cmake --install $(RELEASE_DIR) --prefix $(PREFIX) --strip

package: release
	@cd $(RELEASE_DIR) && cpack -G DEB > cpack.log 2>&1 || { cat cpack.log; exit 1; }
	@ls $(RELEASE_DIR)/brevane_*.deb

screenshot: build
	@bash scripts/screenshot.sh $(BUILD_DIR)/bin/brevane docs/screenshot.png

# The Windows program, cross-built with MinGW-w64; its packages are installed
# only when one of these targets is used.
windows:
	@bash scripts/deps-windows.sh
	@bash scripts/windows-image-libs.sh cmake/mingw-w64-x86_64.cmake $(WINDOWS_DIR)/image-libs
	@mkdir -p $(WINDOWS_DIR)
	@cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DBREVANE_WINDOWS_LIBS=$(abspath $(WINDOWS_DIR)/image-libs) -DBREVANE_BUILD_TESTS=OFF -DBREVANE_BUILD_BENCH=OFF \
	    > $(WINDOWS_DIR)/configure.log 2>&1 || { cat $(WINDOWS_DIR)/configure.log; exit 1; }
	@cmake --build $(WINDOWS_DIR) -j $(JOBS) --target brevane

windows-zip: windows
	@bash scripts/windows-zip.sh $(WINDOWS_DIR)

windows-smoke: windows
	@bash tests/wine/smoke.sh $(WINDOWS_DIR)/bin/brevane.exe

# The Windows program under Wine on the Linux kernel's MIDI driver, in the
# virtual machine of test-alsa; its device numbers are compared with the Linux build's.
test-alsa-windows: windows build
	@bash scripts/alsa-vm/run-windows.sh $(WINDOWS_DIR)/bin/brevane.exe $(BUILD_DIR)

clean:
	@rm -rf build build-*
