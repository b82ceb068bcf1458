# The two everyday commands:
#   make run   installs what is missing, builds, and starts the game
#   make test  installs what is missing, builds, and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
ifneq ($(CI),)
CMAKE_FLAGS += -DDUSKHOLD_WERROR=ON
endif
# Tests that need a window get a private X server of their own.
XVFB = xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp"

# make test-asan: the same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_BUILD ?= build-asan
# Leaks inside system libraries are not ours to fix; tools/lsan.supp names them.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0
# Mesa unloads its GL driver, and on the offscreen video driver its EGL
# library, when the display closes, before the leak report at exit, and their
# leaks would then carry no library name to match; preloading them keeps them
# (and their names) for the whole run.
KEEP_GL_DRIVER = LD_PRELOAD="$(firstword $(wildcard /usr/lib/*/dri/swrast_dri.so)) $(firstword $(wildcard /usr/lib/*/libEGL_mesa.so.0))"
PREFIX ?= /usr/local
# make fuzz SECONDS=N: builds every fuzz target (fuzz/<name>.cpp, listed in
# fuzz/CMakeLists.txt) with clang's libFuzzer and runs each for N seconds on
# a working copy of its seed corpus fuzz/corpus/<name>/.
FUZZ_BUILD ?= build-fuzz
SECONDS ?= 60
CYCLES ?= 50
RELOADS ?= 1000

.PHONY: all deps configure build run test test-asan fuzz long-run memcheck bench install screenshots format format-check clean
.PHONY: deb deb-check web test-web bench-web

all: build

deps:
	@sh tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/duskhold $(ARGS)

test: build
	cd $(BUILD) && $(XVFB) ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUSKHOLD_SANITIZE=ON $(CMAKE_FLAGS)
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) $(KEEP_GL_DRIVER) $(XVFB) ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@sh tools/install-deps.sh clang libclang-rt-dev
	cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for source in fuzz/*.cpp; do \
		name=$$(basename $$source .cpp); \
		mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
		echo "Fuzzing $$name for $(SECONDS) s"; \
		dict=$$(test -f fuzz/$$name.dict && echo -dict=fuzz/$$name.dict); \
		$(FUZZ_BUILD)/$$name -max_total_time=$(SECONDS) -print_final_stats=1 $$dict \
			$(FUZZ_BUILD)/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

# make long-run CYCLES=N: title, menu, stage, fall, game over, menu, ... N
# times; prints the texture and sound counts and the resident memory of
# each cycle and fails if the counts change; then RELOADS presses of F5 in a
# stage, failing if the texture, sound or collision shape counts change.
# make memcheck: one such cycle under valgrind, failing on any error or
# definite leak in our code.
long-run: build
	$(XVFB) sh tools/long-run.sh $(BUILD) $(CYCLES) $(RELOADS)

memcheck: build
	$(XVFB) sh tools/memcheck.sh $(BUILD)

# make bench: the speed figures of docs/performance.md (frame time, collision
# pass, level load, first frame, idle processor use), each beside the same
# figure on the game's plain reference paths, on the software renderer.
BENCH_ENV = LIBGL_ALWAYS_SOFTWARE=1 DUSKHOLD_NO_DIALOG=1 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=/dev/null/settings
bench: build
	cmake --build $(BUILD) -j $(JOBS) --target duskhold-bench duskhold-gamebench
	$(BENCH_ENV) $(XVFB) $(BUILD)/bench/duskhold-bench \
		--benchmark_out=$(abspath $(BUILD))/bench/level-bench.json --benchmark_out_format=json
	$(BENCH_ENV) $(XVFB) $(BUILD)/bench/duskhold-gamebench --game $(BUILD)/duskhold \
		--data $(BUILD)/data --collision-json $(BUILD)/bench/level-bench.json \
		$(if $(BENCH_WEB_JSON),--web-json $(BENCH_WEB_JSON))

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# make screenshots: the README's pictures in docs/screenshots, taken by the
# game itself from the movies in docs/screenshots/movies.
screenshots: build
	$(XVFB) sh tools/screenshots.sh $(BUILD)

# make format: lays out every C++ file of ours with .clang-format;
# make format-check: fails, naming the files, where the layout differs.
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')
format: deps
	clang-format -i $(FORMAT_FILES)

format-check: deps
	clang-format --dry-run --Werror $(FORMAT_FILES)

# make deb: the Debian packages duskhold (the game) and duskhold-tools
# (duskhold_VERSION_amd64.deb, duskhold-tools_VERSION_amd64.deb) in
# DEB_BUILD, made by CPack from a build of its own for /usr with all of
# Debian's hardening flags; the packaging tools that it and deb-check need
# are installed first.
# make deb-check: lintian, desktop-file-validate, appstreamcli, the unpacked
# game run, apt-get install --simulate (tools/deb-check.sh).
DEB_BUILD ?= build-deb
# Lintian tags left out, each about uploading to the Debian archive, which
# these packages are not made for:
#   initial-upload-closes-no-bugs: the first upload of a package to the
#     archive closes its "intent to package" bug in Debian's bug tracker.
LINTIAN_SUPPRESS = initial-upload-closes-no-bugs
DEB_BUILD_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
deb:
	@sh tools/install-deps.sh deb
	cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDUSKHOLD_DEB=ON -DDUSKHOLD_TESTS=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr -DDUSKHOLD_GAME_BINDIR=games \
		-DCMAKE_CXX_FLAGS="$$($(DEB_BUILD_FLAGS) CXXFLAGS) $$($(DEB_BUILD_FLAGS) CPPFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_BUILD_FLAGS) LDFLAGS)" $(CMAKE_FLAGS)
	cmake --build $(DEB_BUILD) -j $(JOBS)
	rm -f $(DEB_BUILD)/*.deb
	cd $(DEB_BUILD) && cpack

deb-check: deb
	LINTIAN_SUPPRESS="$(LINTIAN_SUPPRESS)" $(XVFB) sh tools/deb-check.sh $(DEB_BUILD)

# make web: the game for a web browser in build-web/ (open index.html through
# a web server); its data comes from the native build. make test-web: that
# page in headless chromium against the native build's pictures.
WEB_BUILD ?= build-web
WEB_JOBS ?= 2
web: build
	@sh tools/web/deps.sh
	sh tools/web/build.sh $(BUILD) $(WEB_BUILD) $(WEB_JOBS)

test-web: web
	node tests/web/test-web.js $(BUILD) $(WEB_BUILD)

# make bench-web: make bench with the browser build's figures in its table:
# steps a second on the busiest stage with the village movie in headless
# chromium, unpaced (?fast) and paced (tools/web/bench-web.js). CI does not run it.
bench-web: web
	node tools/web/bench-web.js $(WEB_BUILD) $(abspath $(BUILD))/bench/web-bench.json
	$(MAKE) bench BENCH_WEB_JSON=$(abspath $(BUILD))/bench/web-bench.json

clean:
	rm -rf $(BUILD)
