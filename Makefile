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

.PHONY: all deps configure build run test clean

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

clean:
	rm -rf $(BUILD)
