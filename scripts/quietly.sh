# Sourced by the project's scripts: `quietly COMMAND...` runs a command with its output held in
# "$log", shows that output only when the command fails, and then ends the script. The script
# removes "$log" in its EXIT trap.
log=$(mktemp)
quietly() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log"
    echo "failed: $*" >&2
    exit 1
  fi
}
