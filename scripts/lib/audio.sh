# Shared by the scripts: a sound server with a null sink, so that DirectShow under Wine
# can build playback graphs (without one, rendering a music file fails). Source it,
# then call ensure_audio; release_audio stops what ensure_audio started.

started_pulseaudio=""
created_runtime_dir=""

ensure_audio() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/celestra-runtime.XXXXXX")
    chmod 700 "$XDG_RUNTIME_DIR"
    created_runtime_dir=$XDG_RUNTIME_DIR
    export XDG_RUNTIME_DIR
  fi
  if pactl info >/dev/null 2>&1; then
    return 0
  fi
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="module-null-sink sink_name=nullsink" --load="module-native-protocol-unix" >/dev/null 2>&1 || true
  local i
  for i in $(seq 1 50); do
    if pactl info >/dev/null 2>&1; then
      started_pulseaudio=yes
      return 0
    fi
    sleep 0.1
  done
  echo "could not start a PulseAudio server; music cannot play" >&2
  return 1
}

release_audio() {
  if [ -n "$started_pulseaudio" ]; then
    pactl exit >/dev/null 2>&1 || true
    started_pulseaudio=""
  fi
  if [ -n "$created_runtime_dir" ]; then
    rm -rf "$created_runtime_dir"
    created_runtime_dir=""
  fi
}
