# The front door. `make` builds build/frothwick; `make run` and `make test` first
# install whatever Debian packages are missing.
BUILD := build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all build deps run test bench assets clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@scripts/install-deps.sh

run: deps build
	./$(BUILD)/frothwick

test: deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps build
	scripts/bench.sh $(BUILD)

# Draws the artwork and sounds again into assets/.
assets:
	/usr/bin/python3 tools/make_assets.py

clean:
	rm -rf $(BUILD)
