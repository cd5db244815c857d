# The two everyday commands:  make run   and   make test
# Both install missing Debian packages first (tools/install-deps), configure and build.
BUILD      ?= build
SAN_BUILD  ?= build-san
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test test-plain test-sanitized test-tsan bench fuzz package install clean

all: build

deps:
	@tools/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G Ninja

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Starts the editor in build/work, which holds the shipped start-up files.
run: build
	cd $(BUILD)/work && ../bin/korvo-editor

# The sanitized core tests run last, so the run ends with their summary.
test: test-plain test-tsan test-sanitized

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The core's unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitized: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DKORVO_GUI=OFF -DKORVO_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# The capture ring's concurrency test under ThreadSanitizer (only that program).
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DKORVO_GUI=OFF -DKORVO_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target korvo_ring_tests
	TSAN_OPTIONS=halt_on_error=1 $(TSAN_BUILD)/bin/korvo_ring_tests

# The Debian package korvo_<version>_<arch>.deb, in $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

# Installs into PREFIX (default /usr/local); DESTDIR is honoured.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target korvo_benchmarks
	tools/run-benchmarks $(BUILD)

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DKORVO_FUZZ=ON -DKORVO_GUI=OFF \
	      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	tools/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
