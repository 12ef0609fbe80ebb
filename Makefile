# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS  ?= 2
TYPE  ?= RelWithDebInfo
# Warnings are errors where CI runs (CI=true), and for anyone who asks (WERROR=ON).
WERROR ?= $(if $(CI),ON,OFF)

# Where `make install` puts the game (the binary in bin/, the data in share/nimbara/).
PREFIX ?= /usr/local

.PHONY: run test build configure deps bench clean format check-format fuzz test-sanitized install package

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(TYPE) -DNB_WERROR=$(WERROR) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/game && ./nimbara

test: build
	@bash scripts/run-tests.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A .deb in $(BUILD)/, its dependencies read off the binary by dpkg-shlibdeps.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@bash scripts/run-bench.sh $(BUILD)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
# GCC 12's runtime takes a dynamic TLS block that happens to sit 16 bytes
# into a page for an old glibc's, reads a size from before it and crashes in
# the leak check at exit (Mesa's driver has such blocks); with glibc 2.25 and
# later it scans no such block anyway, so its __tls_get_addr hook is left off.
SAN_BUILD ?= build-asan
test-sanitized: deps
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNB_SANITIZE=ON -DNB_WERROR=$(WERROR) >/dev/null
	@cmake --build $(SAN_BUILD) -j$(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  bash scripts/run-tests.sh $(SAN_BUILD)

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
