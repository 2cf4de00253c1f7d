# The two everyday commands: `make demo` and `make test`.  Both install what is
# missing, then build the Windows launcher (mingw-w64, run under Wine) and the
# native Linux launcher.
PRESETS := windows native native-asan

.PHONY: all deps build test demo clean $(PRESETS)

all: build

deps:
	@sh scripts/install-deps.sh

build: deps $(PRESETS)

$(PRESETS):
	@[ -f build/$@/build.ninja ] || cmake --preset $@ >/dev/null
	cmake --build build/$@

test: build
	@sh scripts/run-tests.sh

demo: deps windows native
	@sh scripts/demo.sh

clean:
	rm -rf build
