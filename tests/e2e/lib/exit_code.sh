# The exit code of a saver run under Wine, from its Wine process's status.
#
# Wine's server gives a process whose Windows side has ended about half a second for its
# Unix side (the exit handlers of the C library and of Mesa, the release of its memory)
# to finish, and then kills it. On a busy machine a saver that ended with code 0 can
# therefore leave status 137 (SIGKILL). The saver's last line to a debugger, the last of
# its own lines in its log, tells the two apart.
#
#   code=$(saver_exit_code STATUS LOG)
set -euo pipefail

saver_exit_code() {
  local status=$1 log=$2 last
  last=$(grep -a "Celestra Screensaver: " "$log" 2>/dev/null | tail -n 1 || true)
  if [ "$status" -eq 137 ] && [[ "$last" == *"the program ends with code 0"* ]]; then
    echo "note: the saver ended with code 0, and Wine's server then killed its Unix" \
      "process, whose teardown outlived the server's wait (a busy machine)" >&2
    echo 0
    return
  fi
  echo "$status"
}
