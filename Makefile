# Thin driver over the CMake presets: `make test` and `make demo` are all a
# fresh machine needs.
PRESETS := native sanitize windows
APT_PACKAGES := cmake ninja-build g++ googletest libgtest-dev \
                g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 \
                pkgconf libxml2-dev iso-codes xkb-data
# Only the benchmarks compare against these; neither the library nor its
# tests use them.
BENCH_APT_PACKAGES := cmake ninja-build g++ pkgconf libbenchmark-dev libpugixml-dev libxml2-dev python3
BENCH_OUT := build/bench/results

.PHONY: all deps deps-bench install-packages bench test demo clean $(addprefix configure-,$(PRESETS)) $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build-native

deps:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(APT_PACKAGES)"

deps-bench:
	@$(MAKE) --no-print-directory install-packages PACKAGES="$(BENCH_APT_PACKAGES)"

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

test: $(addprefix test-,$(PRESETS))

# Configures, builds and runs the benchmarks, then prints the table.
bench: deps-bench
	cmake --preset bench
	cmake --build --preset bench
	@mkdir -p $(BENCH_OUT)
	build/bench/bench/qel_bench --benchmark_filter='^query/' \
	  --benchmark_out=$(BENCH_OUT)/query.json --benchmark_out_format=json
	build/bench/bench/qel_bench --benchmark_filter='^(load|save|answer|text)/' --benchmark_repetitions=3 \
	  --benchmark_out=$(BENCH_OUT)/data.json --benchmark_out_format=json
	build/bench/bench/qel_bench_memory > $(BENCH_OUT)/memory.jsonl
	@python3 bench/report.py $(BENCH_OUT)/query.json $(BENCH_OUT)/data.json $(BENCH_OUT)/memory.jsonl | tee $(BENCH_OUT)/table.txt

# Only what the demo needs: the command-line host and the exchange directory
# with the reference technology programs.
demo: configure-native
	cmake --build --preset native --target qelquery exchange
	@sh tools/demo.sh build/native

clean:
	rm -rf build
