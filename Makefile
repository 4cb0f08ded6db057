# The front door. `make` builds build/frothwick; `make run` and `make test` first
# install whatever Debian packages are missing.
BUILD := build
# A second tree with AddressSanitizer and UndefinedBehaviorSanitizer for the tests.
SAN_BUILD := build-sanitize
FUZZ_BUILD := build-fuzz
# The Windows program, cross-built; the libraries it links in and the Wine prefix of
# its tests are kept in here too.
WIN_BUILD := build-windows
WIN_PACKAGES := gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis icoutils \
    dpkg-dev wine wine64
# The installer that `make windows` builds beside the zip.
WIN_SETUP = $(WIN_BUILD)/frothwick-$(PROJECT_VERSION)-windows-x64-setup.exe
PROJECT_VERSION = $(shell awk '/^project/ { print $$3 }' CMakeLists.txt)
DEB_BUILD := build-deb
DEB_VERSION = $(shell dpkg-parsechangelog -S Version)
DEB = $(DEB_BUILD)/frothwick_$(DEB_VERSION)_$(shell dpkg --print-architecture).deb
# The browser build: CMake's tree for emscripten, and the page it puts together.
WEB_BUILD := build-wasm
WEB_SITE := build-web
# Debian's emscripten finds its JavaScript optimiser's modules only with this.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs
FUZZ_SECONDS ?= 60
# make soak / web-soak: how long to play, and the seed of the random input (a fresh one
# when empty; each run prints the seed that replays it).
MINUTES ?= 10
SEED ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
SAN_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS

.PHONY: all build sanitize-build deps run test golden mutants bench fuzz assets install deb \
    package-test windows windows-test web web-run web-test soak web-soak clean format format-check

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@scripts/install-deps.sh

run: deps build
	./$(BUILD)/frothwick

$(SAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFROTHWICK_BENCH=OFF \
	    "-DCMAKE_CXX_FLAGS=$(SAN_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(SAN_FLAGS)"

sanitize-build: $(SAN_BUILD)/CMakeCache.txt
	cmake --build $(SAN_BUILD) -j $(JOBS) --target frothwick_tests ini_echo_desktop ini_echo_web

# Every C and C++ file of ours, for clang-format.
SOURCES = $(shell find src tests bench fuzz -name '*.cpp' -o -name '*.h' -o -name '*.c')

# Rewrites every source file in the house style (.clang-format).
format:
	clang-format -i $(SOURCES)

# Fails on any file that `make format` would change.
format-check: deps
	@clang-format --dry-run --Werror $(SOURCES)

# The style check, every test, then the headless tests once more under the sanitizers.
test: deps format-check build sanitize-build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS) -E '^(window|package)[.]'
	@python3 tools/line_share.py

# The real program, built with the sanitizers in their tree, played under Xvfb for
# MINUTES with random input: fails on a sanitizer report, a crash, a window that stops
# answering, a settings file that is not valid or a score lost without a Clear.
soak: deps $(SAN_BUILD)/CMakeCache.txt
	@scripts/install-deps.sh python3-xlib
	cmake --build $(SAN_BUILD) -j $(JOBS) --target frothwick
	/usr/bin/python3 tests/soak/soak.py $(SAN_BUILD)/frothwick $(MINUTES) $(SEED)

# Makes the golden frames in tests/golden/ again from the game as it is now. Look at
# every picture that changed before committing it, and say in the commit why it did.
golden: deps build
	FROTHWICK_GOLDEN=write ./$(BUILD)/tests/frothwick_tests --gtest_filter='GoldenFrames.*'
	git status --short tests/golden

# Plants single faults in a copy of the game and checks that the tests catch each one.
# Slow and CPU-heavy: not part of make test.
# MUTANTS="word ..." plants only those whose file or description holds a word.
mutants: deps
	nice python3 tools/mutants.py $(MUTANTS)

# Also installs what it compares against and measures with: ltris and PulseAudio.
bench: deps build
	@scripts/install-deps.sh ltris pulseaudio
	scripts/bench.sh $(BUILD)

# Fuzzes the settings reader for FUZZ_SECONDS, starting from fuzz/corpus. Copy any
# crashing input it reports into fuzz/corpus: the tests replay every file there.
fuzz:
	@scripts/install-deps.sh clang libclang-rt-14-dev
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DFROTHWICK_FUZZ=ON \
	    -DFROTHWICK_TESTS=OFF -DFROTHWICK_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target settings_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/settings_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ_BUILD)/corpus fuzz/corpus

# Installs under CMAKE_INSTALL_PREFIX (default /usr/local); DESTDIR is honoured.
install: build
	cmake --install $(BUILD)

# The Debian package, checked by lintian, in $(DEB_BUILD)/.
deb:
	@scripts/install-deps.sh build-essential debhelper dpkg-dev fakeroot lintian
	scripts/build-deb.sh $(DEB_BUILD)

# The built package unpacked and its game started under Xvfb.
package-test: deb build
	bash tests/package/deb.sh $(CURDIR)/$(BUILD)/frothwick $(CURDIR)/$(DEB)

# The Windows program $(WIN_BUILD)/frothwick.exe, one file with SDL2, SDL2_mixer and inih
# linked in, its sounds beside it, and the zip and the installer to hand out. The artwork decoder runs
# here, so it comes from the native build.
windows: deps $(BUILD)/CMakeCache.txt
	@scripts/install-deps.sh $(WIN_PACKAGES)
	cmake --build $(BUILD) -j $(JOBS) --target artwork_pixels
	scripts/windows-libs.sh $(WIN_BUILD)/libs
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	    -DFROTHWICK_WINDOWS_LIBS=$(CURDIR)/$(WIN_BUILD)/libs/prefix \
	    -DFROTHWICK_ARTWORK_TOOL=$(CURDIR)/$(BUILD)/artwork_pixels \
	    -DFROTHWICK_TESTS=OFF -DFROTHWICK_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The Windows program under Wine in a real window, played as the Linux one is; then
# its names and DPI setting, and the installer, on a 150 % screen.
windows-test: windows
	bash tests/windows/wine.sh $(CURDIR)/$(WIN_BUILD)/frothwick.exe
	bash tests/package/windows.sh $(CURDIR)/$(WIN_BUILD)/frothwick.exe $(CURDIR)/$(WIN_SETUP)

# Draws the artwork and sounds again into assets/.
assets:
	/usr/bin/python3 tools/make_assets.py

# The page in $(WEB_SITE)/: index.html, frothwick.js and .wasm, the two sounds, the
# manifest, icons and service worker of the installed game. The artwork is decoded by
# the host's build of its tool.
web: deps $(BUILD)/CMakeCache.txt
	@scripts/install-deps.sh emscripten webp
	cmake --build $(BUILD) -j $(JOBS) --target artwork_pixels
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release \
	    -DFROTHWICK_TESTS=OFF -DFROTHWICK_BENCH=OFF \
	    -DFROTHWICK_ARTWORK_TOOL=$(CURDIR)/$(BUILD)/artwork_pixels -DFROTHWICK_WEB_SITE=$(CURDIR)/$(WEB_SITE)
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# Serves the page on this machine only, as a web server would send it (compressed).
web-run: web
	/usr/bin/python3 scripts/web_serve.py $(WEB_SITE) 8000

# The page in a headless Chromium, driven through WebDriver, on a desktop and on an
# emulated phone (its screenshots go to $(WEB_BUILD)/screenshots/); then the page
# installed, offline, updated, and its start timed on a throttled phone against a
# floor page.
web-test: web
	@scripts/install-deps.sh chromium chromium-driver python3-selenium python3-pil
	/usr/bin/python3 tests/web/web_test.py $(WEB_SITE) $(WEB_BUILD)/screenshots
	/usr/bin/python3 tests/web/offline_test.py $(WEB_SITE) $(WEB_BUILD)/floor $(WEB_BUILD)/sheets

# The page played in a headless Chromium for MINUTES with random input, as make soak
# plays the program: fails on a page error, a page that stops answering or a lost score.
web-soak: web
	@scripts/install-deps.sh chromium chromium-driver python3-selenium
	/usr/bin/python3 tests/soak/web_soak.py $(WEB_SITE) $(MINUTES) $(SEED)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD) $(WIN_BUILD) $(WEB_BUILD) $(WEB_SITE)
