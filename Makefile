# Shortcuts for the scripts in scripts/ (a fresh machine may have no make: call them directly).
.PHONY: build test run bench
build:
	bash scripts/build.sh
test:
	bash scripts/test.sh
run:
	bash scripts/run.sh
bench:
	bash scripts/bench.sh
