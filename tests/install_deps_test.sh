#!/usr/bin/env bash
# tools/install-deps.sh against an archive that misbehaves as a scenario says,
# without the network: apt-get, dpkg and dpkg-query are stand-ins on PATH that
# log their calls, and what one install puts in place a second run finds.
set -uo pipefail
script=$(realpath "$(dirname "$0")/../tools/install-deps.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

cat >"$work/bin/stand-in" <<'EOF'
#!/usr/bin/env bash
# Answers as the scenario in $SCENARIO says; every call goes to $CALLS.
echo "$(basename "$0") $*" >>"$CALLS"
case "$(basename "$0") $*" in
  "dpkg --print-foreign-architectures") echo i386 ;;
  dpkg-query*) [ -e "$STATE/installed" ] && printf 'install ok installed' || exit 1 ;;
  "apt-get indextargets"*) printf '%s\n' bookworm bookworm-updates bookworm-security ;;
  apt-get*update*)
    case "$SCENARIO" in update_fails)
      echo "E: Failed to fetch mirror/dists/x-security/main/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100 ;;
    esac ;;
  apt-get*install*)
    case "$SCENARIO" in
      needs_target) [[ " $* " == *" -t bookworm "* ]] || { echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100; } ;;
      always_fails) echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100 ;;
    esac
    touch "$STATE/installed" ;;
esac
EOF
chmod +x "$work/bin/stand-in"
for name in apt-get dpkg dpkg-query; do ln -s stand-in "$work/bin/$name"; done

passed=0 failed=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else
    failed=$((failed + 1))
    echo "FAILED: $scenario: $what"
    sed 's/^/    calls: /' "$CALLS"
    sed 's/^/    output: /' "$work/out"
  fi
}
# Runs the script once in the scenario; $status and $work/out hold the result.
run() {
  CALLS=$work/$scenario.calls STATE=$work/$scenario SCENARIO=$scenario \
    CORVANTA_32BIT_LOADER=true PATH="$work/bin:$PATH" bash "$script" >"$work/out" 2>&1
  status=$?
}
calls_matching() { grep -c -- "$1" "$CALLS" || true; }

for scenario in update_fails needs_target always_fails; do
  export CALLS=$work/$scenario.calls
  mkdir "$work/$scenario"
  run
  check "update asks for apt's retries" grep -q -- '^apt-get -o Acquire::Retries=3 -qq update' "$CALLS"
  case $scenario in
  update_fails)
    check "exit status 0" [ "$status" -eq 0 ]
    check "the failed index is named" grep -q 'warning: apt-get update could not load mirror/dists/x-security/main/binary-i386/Packages.xz; going on' "$work/out"
    check "one install, without a target" [ "$(calls_matching 'apt-get install')" -eq 1 ] ;;
  needs_target)
    check "exit status 0" [ "$status" -eq 0 ]
    check "the retry is announced" grep -q "trying again with the release suite 'bookworm' as the target" "$work/out"
    check "the second install names the release" grep -q -- '^apt-get install -y -qq --no-install-recommends -t bookworm cmake' "$CALLS"
    check "two installs" [ "$(calls_matching 'apt-get install')" -eq 2 ] ;;
  always_fails)
    check "exit status 1" [ "$status" -eq 1 ]
    check "two installs" [ "$(calls_matching 'apt-get install')" -eq 2 ]
    check "says what failed" grep -q '^error: could not install: cmake' "$work/out"
    check "says what to try" grep -q 'wait a few minutes and run this again' "$work/out" ;;
  esac
  # A second run on what the first installed asks apt for nothing.
  if [ "$status" -eq 0 ]; then
    : >"$CALLS"
    run
    check "a second run installs nothing" [ "$status" -eq 0 -a "$(calls_matching "^apt-get")" -eq 0 ]
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
