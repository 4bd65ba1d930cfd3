# TavikGame: the two commands are `make run` and `make test`; both install what is missing.
#   make build   configure and build both presets, run nothing
#   make test    build, then every native and Windows test (ctest summary for each)
#   make run     build, then start the launcher under Wine from a ready folder
#   make bench   build, then the benchmarks
.PHONY: deps build build-native build-windows test test-native test-windows run bench clean

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

# Both suites run even when the first fails; the target fails when either did.
test: build
	@status=0; \
	$(MAKE) --no-print-directory test-native || status=1; \
	$(MAKE) --no-print-directory test-windows || status=1; \
	exit $$status

run: build-windows
	tools/run.sh $(CURDIR)/build/windows

bench: build
	@if [ -x build/native/benchmarks ]; then build/native/benchmarks; else echo "no benchmarks yet"; fi
	@if [ -f build/windows/bin/movieplayer_bench.exe ]; then \
	    build/windows/wine-run.sh build/windows/bin/movieplayer_bench.exe; fi

clean:
	rm -rf build

# Fuzzing the movie player's reader and player with libFuzzer (clang), for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz: build-native
	@mkdir -p build/fuzz/corpus build/fuzz/seeds
	clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
	    fuzz/MoviePlayerFuzz.cpp standins/movieplayer/core/*.cpp -lz -o build/fuzz/movieplayer_fuzz
	@awk 'BEGIN{n=0;f="build/fuzz/seeds/seed0.txt"} /^----/{n++;f="build/fuzz/seeds/seed" n ".txt";next} {print > f}' fuzz/seeds.txt
	@for s in build/fuzz/seeds/*.txt; do build/native/moviemaker $$s build/fuzz/corpus/$$(basename $$s .txt).swf; done
	build/fuzz/movieplayer_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -rss_limit_mb=2048 \
	    -artifact_prefix=build/fuzz/ build/fuzz/corpus
