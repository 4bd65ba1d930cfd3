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
	build/native/benchmarks
	tools/wine/session.sh $(CURDIR)/build/windows build/windows/wine-run.sh build/windows/bin/draw_bench.exe

clean:
	rm -rf build
