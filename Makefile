# Entry points for people and CI. Everything a fresh Debian 12 machine needs
# is installed by scripts/install-deps.sh, which every target runs first.

MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
DEMO_DIR := demo
BENCH_DIR := build/bench
PACKAGE_DIR := build/package
# Where make install puts bin/VostrelCmd and bin/VostrelInspect.
PREFIX ?= /usr/local
# The corpus beside the repository, every PNG under it; BENCH_LIMIT=n keeps
# the first n pictures (the sample picture first), BENCH_SECONDS the time
# each measurement is repeated for.
BENCH_CORPUS ?= $(CURDIR)/../shared/corpus
BENCH_LIMIT ?= 0
BENCH_SECONDS ?= 1

FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=

.PHONY: deps release demo test bench fuzz install package clean

deps:
	@./scripts/install-deps.sh

release: deps
	@cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVOSTREL_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

demo: release
	@./scripts/demo.sh $(RELEASE_DIR) $(DEMO_DIR)

# The shipping build's executables under $(PREFIX)/bin; DESTDIR is honoured.
install: release
	@cmake --install $(RELEASE_DIR) --prefix "$(PREFIX)"

# A Debian package of both executables, installed under /usr, with its
# run-time dependencies declared; the .deb is left in $(PACKAGE_DIR).
package: deps
	@cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DVOSTREL_TESTS=OFF >/dev/null
	@cmake --build $(PACKAGE_DIR) -j $(JOBS)
	@cd $(PACKAGE_DIR) && cpack -G DEB >/dev/null
	@ls $(PACKAGE_DIR)/*.deb

test: deps
	@cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Release -DVOSTREL_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)
	@cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVOSTREL_TESTS=OFF -DVOSTREL_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)
	@$(BENCH_DIR)/bench/vostrel_bench --build $(BENCH_DIR) --corpus "$(BENCH_CORPUS)" \
		--limit $(BENCH_LIMIT) --seconds $(BENCH_SECONDS) --csv $(BENCH_DIR)/results.csv

# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS seconds
# (FUZZ_TARGETS="ktx dds" picks some), then reports what each one ran and found.
fuzz: deps
	@./scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf build $(DEMO_DIR)
