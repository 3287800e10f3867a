#!/usr/bin/env bash
# Quorvel's one entry point: ./do setup | build | test | format | bench | run | fuzz
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=$(nproc 2>/dev/null || echo 2)

# Every Debian package the project needs to build, test and run.
PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  libpugixml-dev libsqlite3-dev libzip-dev zlib1g-dev nlohmann-json3-dev libcli11-dev
  locales
  qt6-base-dev qt6-translations-l10n fonts-noto-cjk
  python3-openpyxl
  clang libclang-rt-14-dev
)

# A locale with a decimal comma, so tests can prove that numbers in files and on the
# command line never follow the process locale.
TEST_LOCALE=de_DE.UTF-8

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

cmd_setup() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "do setup: installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    as_root localedef -i de_DE -f UTF-8 "$TEST_LOCALE"
  fi
}

configure() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja "$@" >/dev/null
}

cmd_build() {
  configure build
  cmake --build build -j "$JOBS"
}

run_tests() { # dir
  (cd "$ROOT/$1" && ctest --output-on-failure -j "$JOBS")
}

# Every tracked C++ file must be as clang-format (the repository's .clang-format) writes it.
check_format() {
  local files
  if git -C "$ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git -C "$ROOT" ls-files '*.cpp' '*.h')
  else
    files=$(find kelvorin model catalogue calc report panels ui app cli tools tests bench \
      -name '*.cpp' -o -name '*.h')
  fi
  # shellcheck disable=SC2086
  if ! clang-format --dry-run -Werror $files; then
    echo "do test: the files above differ from clang-format's layout (run clang-format -i)" >&2
    return 1
  fi
}

cmd_test() {
  cmd_setup
  check_format
  cmd_build
  run_tests build
  # The same tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
  configure build-asan -DQV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  cmake --build build-asan -j "$JOBS"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
  # A few seconds of fuzzing per reader, where clang can link libFuzzer.
  if fuzz_available; then
    build_fuzz
    run_fuzz 5
  else
    echo "do test: no clang with libFuzzer here; the readers' corpora were replayed, not fuzzed"
  fi
}

# ---- Fuzzing the readers (tests/fuzz): libFuzzer programs built by clang in build-fuzz.
FUZZ_TARGETS=(project_file csv ies eulumdat ini)

fuzz_max_len() { # target: the largest input worth trying (the example projects fit)
  case $1 in
    project_file) echo 131072 ;;
    ini) echo 4096 ;;
    *) echo 16384 ;;
  esac
}

# Whether clang++ links a libFuzzer program here.
fuzz_available() {
  command -v clang++ >/dev/null 2>&1 || return 1
  local probe rc=0
  probe=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$probe/probe.cpp"
  clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1 || rc=1
  rm -rf "$probe"
  return $rc
}

build_fuzz() {
  configure build-fuzz -DQV_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
  cmake --build build-fuzz -j "$JOBS"
}

# Runs every target for the given seconds on a scratch copy of its seed corpus (the
# repository's corpus is never written); a crash, hang, leak or oversized allocation is
# kept under build-fuzz/findings/ and makes the run fail.
run_fuzz() { # seconds
  local seconds=$1 scratch findings target failed=()
  findings="$ROOT/build-fuzz/findings"
  rm -rf "$findings"
  mkdir -p "$findings"
  # Readers of files work in the temporary folder: memory-backed where there is one.
  scratch=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
  for target in "${FUZZ_TARGETS[@]}"; do
    cp -r "$ROOT/tests/fuzz/corpus/$target" "$scratch/$target"
    local log="$findings/$target.log" rc=0 input dict=()
    # The words of a reader's format, where tests/fuzz has them.
    if [ -f "$ROOT/tests/fuzz/$target.dict" ]; then dict=(-dict="$ROOT/tests/fuzz/$target.dict"); fi
    (cd "$scratch" && TMPDIR="$scratch" timeout $((seconds + 120)) \
      "$ROOT/build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" "${dict[@]}" \
      -max_len="$(fuzz_max_len "$target")" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/$target-" "$target" >"$log" 2>&1) || rc=$?
    if [ "$rc" -eq 0 ]; then
      echo "do fuzz: $target: nothing found ($(grep -m1 -o 'Done [0-9]* runs' "$log" || echo '?'))"
    else
      failed+=("$target")
      echo "do fuzz: $target: FOUND (status $rc):" >&2
      grep -m3 -E 'ERROR:|SUMMARY:|runtime error|fuzz check failed' "$log" >&2 || true
      for input in "$findings/$target"-*; do
        if [ -e "$input" ]; then echo "do fuzz: $target: input kept as $input" >&2; fi
      done
      echo "do fuzz: $target: whole log $log" >&2
    fi
  done
  rm -rf "$scratch"
  if [ ${#failed[@]} -gt 0 ]; then
    echo "do fuzz: findings in ${failed[*]}" >&2
    return 1
  fi
}

cmd_fuzz() { # [seconds], default 60
  local seconds=${1:-60}
  if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: ./do fuzz [SECONDS]" >&2
    return 2
  fi
  cmd_setup
  if ! fuzz_available; then
    echo "do fuzz: clang++ cannot link libFuzzer programs (packages clang, libclang-rt-14-dev)" >&2
    return 1
  fi
  build_fuzz
  run_fuzz "$seconds"
}

cmd_bench() {
  cmd_setup
  configure build-bench -DQV_BUILD_BENCH=ON -DQV_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
  cmake --build build-bench -j "$JOBS"
  for b in build-bench/bin/bench_*; do
    [ -x "$b" ] && "$b" "$@"
  done
}

# The desktop program: its window on a desktop (arguments: a project file to open). With
# no display it is started on Qt's offscreen platform with a copy of an example project
# (opening rewrites the file), runs for a few seconds and is stopped, so that the run
# never waits for a user.
cmd_run() {
  cmd_setup
  cmd_build
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    ./build/bin/quorvel "$@"
    return
  fi
  local scratch rc=0
  scratch=$(mktemp -d)
  cp data/examples/office.cil "$scratch/"
  echo "do run: no display; starting quorvel offscreen with an example project for 5 s"
  QT_QPA_PLATFORM=offscreen timeout 5 ./build/bin/quorvel "$scratch/office.cil" || rc=$?
  rm -rf "$scratch"
  if [ "$rc" -ne 124 ]; then
    echo "do run: quorvel ended early with status $rc" >&2
    return 1
  fi
  echo "do run: quorvel started and ran headless; on a desktop ./do run opens its window"
}

case "${1:-}" in
  setup) cmd_setup ;;
  build) cmd_setup; cmd_build ;;
  test) cmd_test ;;
  format) cmd_setup; check_format ;;
  bench) shift; cmd_bench "$@" ;;
  run) shift; cmd_run "$@" ;;
  fuzz) shift; cmd_fuzz "$@" ;;
  *) echo "usage: ./do setup|build|test|format|bench|run|fuzz" >&2; exit 2 ;;
esac
