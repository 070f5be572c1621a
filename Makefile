# Thin driver over the CMake presets: `make test` and `make demo` are all a
# fresh machine needs.
PRESETS := native sanitize windows
APT_PACKAGES := cmake ninja-build g++ googletest libgtest-dev \
                g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 \
                pkgconf libxml2-dev iso-codes xkb-data

.PHONY: all deps test demo clean $(addprefix configure-,$(PRESETS)) $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build-native

deps:
	@missing=""; for p in $(APT_PACKAGES); do \
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

# Only what the demo needs: the command-line host and the exchange directory
# with the reference technology programs.
demo: configure-native
	cmake --build --preset native --target qelquery exchange
	@sh tools/demo.sh build/native

clean:
	rm -rf build
