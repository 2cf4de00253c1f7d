# The two everyday commands: `make demo` and `make test`.  Both install what is
# missing, then build the Windows launcher (mingw-w64, run under Wine) and the
# native Linux launcher.  `make dist` builds the release archive into
# build/dist/ from the release builds.
PRESETS := windows native native-asan
RELEASE_PRESETS := windows-release native-release

.PHONY: all deps build test demo dist clean $(PRESETS) $(RELEASE_PRESETS)

all: build

deps:
	@sh scripts/install-deps.sh

build: deps $(PRESETS)

$(PRESETS):
	@[ build/$@/CMakeCache.txt -nt CMakePresets.json ] || cmake --preset $@ >/dev/null
	cmake --build build/$@

test: build
	@sh scripts/run-tests.sh

# The release builds make only what ships.
$(RELEASE_PRESETS):
	@[ build/$@/CMakeCache.txt -nt CMakePresets.json ] || cmake --preset $@ >/dev/null
	cmake --build build/$@ --target $(if $(filter windows-%,$@),launcher launcher-admin,launcher) vdpack verify_jar

dist: deps $(RELEASE_PRESETS)
	@sh scripts/make-dist.sh build/windows-release build/native-release build/dist

demo: deps windows native
	@sh scripts/demo.sh

clean:
	rm -rf build
