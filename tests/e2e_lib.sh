# The shared start of the end-to-end scripts, which drive the real programs under a virtual X
# server. Sourced, not run: the scripts call these before doing anything else.

# Fails the test when one of the named tools is not installed: scripts/deps.sh installs every
# one, so a missing tool is a fault of the machine, never a reason to pass silently.
e2e_require() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "FAILED: $tool is not installed (scripts/deps.sh installs it)"
      exit 1
    fi
  done
}

# Runs the calling script again, once, under its own virtual X server of the given size
# (e.g. 800x600). Usage: e2e_under_xvfb SIZE "$0" "$@"
e2e_under_xvfb() {
  local size=$1
  shift
  if [ -z "${MT_E2E_INSIDE_X:-}" ]; then
    export MT_E2E_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" bash "$@"
  fi
}

# A clean artefact folder: the screenshots of the last run, kept for looking at afterwards.
e2e_artefacts() {
  mkdir -p "$1"
  rm -f "$1"/*.png "$1"/*.txt
}

# A failed check is counted and the run goes on, so one run shows every check that fails and
# leaves all its screenshots behind; e2e_verdict ends the run.
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
step() { echo "--- $*"; }
e2e_verdict() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; screenshots in $1"
    exit 1
  fi
}

# Fresh settings and runtime folders under WORK, so a run never sees the user's own.
e2e_fresh_home() {
  mkdir -p "$1/config" "$1/runtime"
  chmod 700 "$1/runtime"
  export XDG_CONFIG_HOME="$1/config" XDG_STATE_HOME="$1/state"
  export XDG_RUNTIME_DIR="$1/runtime"
}
