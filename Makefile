# TavikGame: the two commands are `make run` and `make test`; both install what is missing.
#   make build   configure and build both presets, run nothing
#   make test    build, then every native and Windows test (ctest summary for each), then
#                each fuzzer for 15 seconds
#   make run     build, then start the launcher under Wine from a ready folder
#   make bench   build, then the benchmarks
#   make fuzz    build the libFuzzer targets of fuzz/ with clang and run each FUZZ_SECONDS seconds
.PHONY: deps build build-native build-windows test test-native test-windows run bench fuzz clean

deps:
	@tools/deps.sh

build-native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j 2

build-windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j 2

build: build-native build-windows

test-native: build-native
	ctest --preset native

test-windows: build-windows
	tools/wine/session.sh $(CURDIR)/build/windows ctest --preset windows

# Both suites run even when the first fails, then a short run of every fuzzer; the target
# fails when any of them did.
test: build
	@status=0; \
	$(MAKE) --no-print-directory test-native || status=1; \
	$(MAKE) --no-print-directory test-windows || status=1; \
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=15 || status=1; \
	exit $$status

# SCREENSHOT=file.png also saves a picture of the screen once the launcher is up.
run: build
	SCREENSHOT=$(SCREENSHOT) tools/run.sh $(CURDIR)/build/windows $(CURDIR)/build/native/moviemaker

bench: build
	build/native/benchmarks
	tools/wine/session.sh $(CURDIR)/build/windows build/windows/wine-run.sh build/windows/bin/draw_bench.exe
	tools/wine/session.sh $(CURDIR)/build/windows build/windows/wine-run.sh build/windows/bin/movieplayer_bench.exe

# Each fuzz/<Name>Fuzz.cpp runs on its seeds in fuzz/corpus/<Name>/; new inputs go to build/fuzz.
FUZZ_SECONDS ?= 60
fuzz: deps
	@command -v clang++ >/dev/null || { [ "$$(id -u)" -eq 0 ] && S= || S=sudo; $$S apt-get install -y --no-install-recommends clang; }
	@cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVIK_FUZZ=ON >/dev/null
	@cmake --build build/fuzz --target fuzzers -j 2
	@for f in build/fuzz/fuzzers/*Fuzz; do \
		name=$$(basename $$f Fuzz); mkdir -p build/fuzz/corpus/$$name fuzz/corpus/$$name; \
		echo "== $$name"; $$f -max_total_time=$(FUZZ_SECONDS) build/fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

clean:
	rm -rf build
