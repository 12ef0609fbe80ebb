# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= 2
TYPE  ?= RelWithDebInfo
# Warnings are errors where CI runs (CI=true), and for anyone who asks (WERROR=ON).
WERROR ?= $(if $(CI),ON,OFF)

.PHONY: run test build configure deps bench clean format check-format fuzz

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(TYPE) -DNB_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/game && ./nimbara

test: build
	@bash scripts/run-tests.sh $(BUILD)

bench: build
	@bash scripts/run-bench.sh $(BUILD)

# Each reader under libFuzzer for FUZZ_SECONDS (needs clang).
FUZZ_SECONDS ?= 300
fuzz: build
	@bash scripts/fuzz.sh $(FUZZ_SECONDS) $(BUILD)

clean:
	rm -rf $(BUILD)

format:
	@bash scripts/format.sh

check-format:
	@bash scripts/format.sh --check
