#!/usr/bin/env bash
# Builds every libFuzzer target (clang, ASan and UBSan, build/fuzz) and runs
# each for a bounded time (TARDO_FUZZ_SECONDS, default 25) from its committed
# seeds. The targets and their settings (input length, per-input timeout,
# memory limit, corpus folders, environment) are the ones each suite
# registers with CTest; only the suite's fixed number of runs is replaced by
# the time budget. A crash, a sanitizer finding, a leak, a timeout or running
# out of memory fails the run; the input that did it (crash-*, leak-*,
# timeout-*, oom-*) is listed at the end.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
build=build/fuzz
jobs=${TARDO_JOBS:-2}
seconds=${TARDO_FUZZ_SECONDS:-25}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTARDO_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs"
find "$build" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) -delete

ctest --test-dir "$build" --show-only=json-v1 >"$build/fuzz-tests.json"
status=0
python3 - "$build" "$seconds" <<'PY' || status=1
import json, os, re, subprocess, sys, time

build, seconds = sys.argv[1], int(sys.argv[2])
tests = json.load(open(f"{build}/fuzz-tests.json"))["tests"]
if not tests:
    sys.exit("no fuzz targets registered")
env = dict(os.environ, ASAN_OPTIONS="detect_leaks=1", UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1")
failed = 0
print(f"{len(tests)} fuzz targets, {seconds} s each")
for test in tests:
    properties = {p["name"]: p["value"] for p in test.get("properties", [])}
    run_env = dict(env)
    for setting in properties.get("ENVIRONMENT", []):
        name, _, value = setting.partition("=")
        run_env[name] = value
    command = [word for word in test["command"] if not word.startswith("-runs=")]
    command[1:1] = [f"-max_total_time={seconds}", "-print_final_stats=1"]
    log = os.path.join(build, f"{test['name']}.log")
    start = time.monotonic()
    with open(log, "wb") as out:
        code = subprocess.run(command, cwd=properties.get("WORKING_DIRECTORY", build), env=run_env,
                              stdout=out, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL).returncode
    took = time.monotonic() - start
    text = open(log, errors="replace").read()
    runs = re.search(r"stat::number_of_executed_units:\s*(\d+)", text)
    corpus = re.findall(r"\bcorp: (\d+)/", text)
    verdict = "ok" if code == 0 else f"FAILED (exit {code})"
    print(f"{test['name']:24} {took:6.1f} s  {runs.group(1) if runs else '?':>9} inputs  "
          f"corpus {corpus[-1] if corpus else '?':>5}  {verdict}")
    if code != 0:
        failed += 1
        print("".join(text.splitlines(keepends=True)[-40:]))
sys.exit(1 if failed else 0)
PY

artifacts=$(find "$build" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | sort)
if [ -n "$artifacts" ]; then
  echo "=== inputs that failed (reproduce: TARGET FILE)"
  printf '%s\n' "$artifacts"
  status=1
fi
echo "=== fuzz: $([ $status -eq 0 ] && echo "no crashes" || echo FAILED)"
exit $status
