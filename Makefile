# Thin driver over the CMake presets: `make test` and `make demo` are all a
# fresh machine needs.
PRESETS := native portable sanitize windows
APT_PACKAGES := cmake ninja-build g++ googletest libgtest-dev \
                g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 \
                pkgconf libxml2-dev iso-codes xkb-data \
                python3 python3-venv python3-pytest python3-setuptools python3-wheel python3-mypy \
                clang lld llvm
# What the demo needs: the native library, qelquery and the reference
# programs, without the test suites.
DEMO_APT_PACKAGES := cmake ninja-build g++
# Only the benchmarks compare against these; neither the library nor its
# tests use them.
BENCH_APT_PACKAGES := cmake ninja-build g++ pkgconf libbenchmark-dev libpugixml-dev libxml2-dev python3
BENCH_OUT := build/bench/results
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := answer_load unicode_decode formatter paths kit_request kit_answer kit_request_written \
                xml_roundtrip xml_save_load xml_window dom_operations code_pages

.PHONY: all deps deps-bench deps-demo install-packages bench test demo fuzz soak clean configure-fuzz $(addprefix configure-,$(PRESETS)) $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build-native

deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(APT_PACKAGES)"

deps-bench:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(BENCH_APT_PACKAGES)"

deps-demo:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(DEMO_APT_PACKAGES)"

install-packages:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null; \
	  else echo "missing packages:$$missing (install them as root)"; exit 1; fi; \
	fi

# Static pattern rules: make skips implicit rules for phony targets.
$(addprefix configure-,$(PRESETS)): configure-%: deps
	cmake --preset $*

$(addprefix build-,$(PRESETS)): build-%: configure-%
	cmake --build --preset $*

$(addprefix test-,$(PRESETS)): test-%: build-%
	ctest --preset $*

# Every preset in turn, announcing the long waits, and one summary at the end.
test: deps
	@sh tools/test-summary.sh $(PRESETS)

.PHONY: dist exports

# The release archives, from the tested builds: build/dist/qellink-<version>-win64.zip
# and build/dist/qellink-<version>-<system>-<processor>.tar.gz.
dist: build-native build-windows
	cpack --config build/native/CPackConfig.cmake -B build/dist
	cpack --config build/windows/CPackConfig.cmake -B build/dist

# Writes the checked-in export lists (tests/boundary/exports-*.txt) anew from
# the built libraries, after an intended change of the exports.
exports: build-native build-windows
	QEL_UPDATE_EXPORTS=1 ctest --preset native -R '^exports_match_list$$'
	QEL_UPDATE_EXPORTS=1 ctest --preset windows -R '^exports_match_list$$'

# Each fuzz target for FUZZ_SECONDS. New inputs go to build/fuzz/corpus;
# the committed corpus under fuzz/corpus is read, not written (merge what is
# worth keeping with -merge=1). A crash leaves its input in build/fuzz and
# stops the run.
configure-fuzz: deps
	@command -v clang++-14 >/dev/null || { echo "fuzz needs clang-14 and libclang-rt-14-dev"; exit 1; }
	cmake --preset fuzz

fuzz: configure-fuzz
	cmake --build --preset fuzz
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz/corpus/$$t && \
	  echo "== $$t ($(FUZZ_SECONDS) s)" && \
	  build/fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/$$t- build/fuzz/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

# The soak test at full length: 100,000 queries of every outcome (about an
# hour on a busy machine); `make test` runs a short one.
SOAK_QUERIES ?= 100000
soak: configure-native
	cmake --build --preset native --target qel_soak_tests exchange
	cd build/native && QEL_SOAK_QUERIES=$(SOAK_QUERIES) tests/qel_soak_tests

# Configures, builds and runs the benchmarks, then prints the table.
bench: deps-bench
	cmake --preset bench
	cmake --build --preset bench
	@mkdir -p $(BENCH_OUT)
	build/bench/bench/qel_bench --benchmark_filter='^query/' \
	  --benchmark_out=$(BENCH_OUT)/query.json --benchmark_out_format=json
	build/bench/bench/qel_bench --benchmark_filter='^(load|save|answer)/' \
	  --benchmark_out=$(BENCH_OUT)/xml.json --benchmark_out_format=json
	build/bench/bench/qel_bench --benchmark_filter='^text/' --benchmark_repetitions=3 \
	  --benchmark_out=$(BENCH_OUT)/text.json --benchmark_out_format=json
	build/bench/bench/qel_bench_memory > $(BENCH_OUT)/memory.jsonl
	@python3 bench/report.py $(BENCH_OUT)/query.json $(BENCH_OUT)/xml.json $(BENCH_OUT)/text.json $(BENCH_OUT)/memory.jsonl | tee $(BENCH_OUT)/table.txt

# Only what the demo needs: the command-line host and the exchange directory
# with the reference technology programs, in a build without the tests.
demo: deps-demo
	cmake --preset demo
	cmake --build --preset demo --target qelquery exchange
	@sh tools/demo.sh build/demo

clean:
	rm -rf build
