# Brevane: two commands to start with, `make run` and `make test`.

BUILD_DIR ?= build
BUILD_TYPE ?= Debug
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
SANITIZE ?=
CTEST_ARGS ?=
comma := ,
MAKEFLAGS += --no-print-directory

# A sanitized build lives beside the plain one, so switching costs no rebuild.
ifneq ($(SANITIZE),)
  BUILD_DIR := build-$(subst $(comma),-,$(SANITIZE))
  CMAKE_SANITIZE := -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DBREVANE_SANITIZE=$(SANITIZE) \
      -DBREVANE_BUILD_FUZZ=$(if $(findstring address,$(SANITIZE)),ON,OFF)
endif

WINDOWS_DIR ?= build-windows

.PHONY: all deps configure build run test bench fuzz install screenshot clean windows windows-zip windows-smoke

all: build

deps:
	@bash scripts/deps.sh

configure: deps
	@mkdir -p $(BUILD_DIR)
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_SANITIZE) $(CMAKE_EXTRA) > $(BUILD_DIR)/configure.log 2>&1 \
	    || { cat $(BUILD_DIR)/configure.log; exit 1; }

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD_DIR)/bin/brevane $(ARGS)

test: build
	@bash scripts/test.sh $(BUILD_DIR) $(CTEST_ARGS)

bench:
	@$(MAKE) --no-print-directory build BUILD_TYPE=Release BUILD_DIR=build-release
	@bash scripts/bench.sh build-release

fuzz: deps
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

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

clean:
	@rm -rf build build-*
