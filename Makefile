# make run   builds and starts タルヴェン
# make test  builds and runs every test headless
# make test-sanitized  the same in a Debug build under AddressSanitizer and UndefinedBehaviorSanitizer
# make bench, make install (PREFIX, DESTDIR), make package, make lint-package: see README.md
# make windows       the Windows program and its installer, cross-built (see README.md)
# make test-windows  every test of the Windows build under Wine, headless
BUILD_DIR ?= build
PACKAGE_DIR ?= $(BUILD_DIR)-package
PREFIX ?= /usr/local
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n \
            libxlsxwriter-dev zlib1g-dev fonts-ipafont-mincho fonts-ipafont-gothic poppler-utils
FUZZ_PACKAGES := clang libclang-rt-14-dev
SANITIZE_PACKAGES := libasan8 libubsan1
PACKAGE_PACKAGES := dpkg-dev file gzip
LINT_PACKAGES := lintian
SHOT_PACKAGES := xvfb xauth xdotool imagemagick poppler-utils
# The Windows build: mingw-w64, Debian's sources of Qt and libxlsxwriter (built
# once into the cache), NSIS, the icons' converters, Wine for the tests.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix libz-mingw-w64-dev mingw-w64-tools dpkg-dev xz-utils \
                    nsis librsvg2-bin imagemagick wine wine64
WINDOWS_DIR ?= $(BUILD_DIR)-windows
TALVEN_WINDOWS_CACHE ?= $(HOME)/.cache/talven-windows
export TALVEN_WINDOWS_CACHE
WINDOWS_QT := $(TALVEN_WINDOWS_CACHE)/qt6-mingw
WINDOWS_XLSXWRITER := $(TALVEN_WINDOWS_CACHE)/xlsxwriter-mingw

.PHONY: all deps configure build run test test-sanitized fuzz bench install package lint-package screenshots \
        windows-build windows test-windows clean

all: build

deps:
	@sh scripts/ensure-packages.sh $(PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/bin/talven

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure

# Every test built in Debug with AddressSanitizer and UndefinedBehaviorSanitizer
# in a build of its own; the programs the tests start run under them too. Any
# finding ends the program that made it, and so fails its test; leaks are
# looked for at each exit (Qt's own memory at exit is all still reachable).
test-sanitized:
	@sh scripts/ensure-packages.sh $(PACKAGES) $(SANITIZE_PACKAGES)
	@cmake -S . -B $(BUILD_DIR)-sanitized -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALVEN_SANITIZE=ON
	@cmake --build $(BUILD_DIR)-sanitized
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(BUILD_DIR)-sanitized --output-on-failure

fuzz:
	@sh scripts/ensure-packages.sh $(PACKAGES) $(FUZZ_PACKAGES)
	@cmake -S . -B $(BUILD_DIR)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTALVEN_FUZZ=ON
	@cmake --build $(BUILD_DIR)-fuzz --target fuzz_study_file
	@mkdir -p $(BUILD_DIR)-fuzz/fuzz-corpus
	$(BUILD_DIR)-fuzz/bin/fuzz_study_file -max_total_time=30 -max_len=70000 -timeout=10 \
	    $(BUILD_DIR)-fuzz/fuzz-corpus tests/fuzz/corpus

# Release build of its own; the table compares each median with its budget.
bench: deps
	@cmake -S . -B $(BUILD_DIR)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVEN_BENCH=ON
	@cmake --build $(BUILD_DIR)-bench --target bench_window bench_report bench_files bench_batch bench_pdf_floor talven-report
	@sh scripts/run-bench.sh $(BUILD_DIR)-bench/bench

# talven, talven-report and VEK.hlp under $(PREFIX)/lib/talven, links in
# $(PREFIX)/bin, the desktop entry, the study file type and the icons under
# $(PREFIX)/share. Installed in place (no DESTDIR), the MIME and desktop
# databases learn the study file type at once, where their tools are there.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then \
	    ! command -v update-mime-database >/dev/null || update-mime-database "$(PREFIX)/share/mime"; \
	    ! command -v update-desktop-database >/dev/null || update-desktop-database "$(PREFIX)/share/applications"; \
	fi

# The Debian package, installing under /usr, in $(PACKAGE_DIR): a build of its
# own without the tests, with Debian's compiler and linker flags (hardening).
package: deps
	@sh scripts/ensure-packages.sh $(PACKAGE_PACKAGES)
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	    CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DTALVEN_TESTS=OFF
	@cmake --build $(PACKAGE_DIR)
	cd $(PACKAGE_DIR) && cpack -G DEB

# The package checked by lintian; errors fail, the warnings kept are in README.md.
lint-package: package
	@sh scripts/ensure-packages.sh $(LINT_PACKAGES)
	lintian --fail-on error --info $(PACKAGE_DIR)/talven_*.deb

# The pictures of docs/: the three tabs and a report page.
screenshots: build
	@sh scripts/ensure-packages.sh $(SHOT_PACKAGES)
	@sh scripts/make-screenshots.sh $(BUILD_DIR)

# Qt and libxlsxwriter for Windows are built once into the cache (the first
# time an hour or more); the programs and the tests run under Wine
# (CMAKE_CROSSCOMPILING_EMULATOR), with a Wine prefix of the build's own.
windows-build:
	@sh scripts/ensure-packages.sh $(PACKAGES) $(WINDOWS_PACKAGES)
	@sh scripts/build-qt-windows.sh
	@sh scripts/build-xlsxwriter-windows.sh
	@cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/scripts/mingw-w64-toolchain.cmake \
	    -DCMAKE_PREFIX_PATH="$(WINDOWS_QT);$(WINDOWS_XLSXWRITER)" \
	    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
	    -DCMAKE_CROSSCOMPILING_EMULATOR=wine
	@cmake --build $(WINDOWS_DIR)

# $(WINDOWS_DIR)/talven-VERSION-x64-setup.exe
windows: windows-build
	@cmake --build $(WINDOWS_DIR) --target installer

test-windows: windows-build
	@sh scripts/test-windows.sh $(WINDOWS_DIR)

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-fuzz $(BUILD_DIR)-bench $(BUILD_DIR)-sanitized $(PACKAGE_DIR) $(WINDOWS_DIR)
