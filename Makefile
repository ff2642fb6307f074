# Entry points for people and CI. Everything a fresh Debian 12 machine needs
# is installed by scripts/install-deps.sh, which every target runs first.

MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
DEMO_DIR := demo

.PHONY: deps release demo test clean

deps:
	@./scripts/install-deps.sh

release: deps
	@cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVOSTREL_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

demo: release
	@./scripts/demo.sh $(RELEASE_DIR) $(DEMO_DIR)

test: deps
	@cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Release -DVOSTREL_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)
	@cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

clean:
	rm -rf build $(DEMO_DIR)
