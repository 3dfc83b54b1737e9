# make run       build BREM and start it
# make test      build everything and run all tests
# make sanitize  the same tests, built with AddressSanitizer and UndefinedBehaviorSanitizer
# make bench     the benchmarks, printed as one table (also written to bench/results.md)
# make clean     remove the build folders
# With CI set (CI=true), warnings are errors.

BUILD_DIR := build
SANITIZE_DIR := build-asan
JOBS := $(shell nproc 2>/dev/null || echo 2)
EXECUTABLE := $(BUILD_DIR)/BREM.app/Contents/MacOS/brem

# CI=false and CI=0 mean "not CI", as most CI tools read them.
ifneq ($(filter-out false 0,$(CI)),)
WERROR := ON
else
WERROR := OFF
endif

BUILD_OPTIONS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREM_WERROR=$(WERROR)
SANITIZE_OPTIONS := -DCMAKE_BUILD_TYPE=Debug -DBREM_SANITIZE=ON -DBREM_WERROR=$(WERROR)
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
CTEST_FLAGS := --output-on-failure --no-tests=error -j$(JOBS)

# The builds below run make again; its directory changes are noise.
MAKEFLAGS += --no-print-directory

.PHONY: all run test sanitize bench clean deps configure build configure-sanitize build-sanitize

all: build

deps:
	@scripts/install-deps.sh

# $(call configure,folder,options): runs cmake only when the folder has never been configured
# or was configured with other options; once configured, cmake --build notices changed
# CMakeLists on its own.
define configure
	@if [ ! -f $(1)/CMakeCache.txt ] || [ "$$(cat $(1)/.brem-options 2>/dev/null)" != "$(2)" ]; then \
	  rm -f $(1)/.brem-options && \
	  cmake -S . -B $(1) $(2) && \
	  echo "$(2)" > $(1)/.brem-options; \
	fi
endef

configure: deps
	$(call configure,$(BUILD_DIR),$(BUILD_OPTIONS))

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

# The program alone, with its pictures: the tests and the benchmarks are left unbuilt.
run: configure
	cmake --build $(BUILD_DIR) --target brem -j$(JOBS)
	$(EXECUTABLE)

test: build
	ctest --test-dir $(BUILD_DIR) $(CTEST_FLAGS)

configure-sanitize: deps
	$(call configure,$(SANITIZE_DIR),$(SANITIZE_OPTIONS))

build-sanitize: configure-sanitize
	cmake --build $(SANITIZE_DIR) -j$(JOBS)

sanitize: build-sanitize
	$(SANITIZER_ENV) ctest --test-dir $(SANITIZE_DIR) $(CTEST_FLAGS)

bench: build
	bench/run.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
