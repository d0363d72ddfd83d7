#!/usr/bin/env bash
# ssaver.scr /p without a usable host window has nothing to show and ends by itself.
. "$(dirname "$0")/e2e_lib.sh"
e2e_setup

for arguments in "/p" "/p 4242"; do
  # shellcheck disable=SC2086
  start_saver $arguments
  wait_for_saver_exit 10 || fail "ssaver.scr $arguments kept running without a host"
  [ "$saver_status" -eq 0 ] || fail "ssaver.scr $arguments exit status $saver_status"
  echo "ssaver.scr $arguments ended after $((saver_exit_tenths * 100)) ms"
done
