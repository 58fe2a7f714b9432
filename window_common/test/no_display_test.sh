#!/usr/bin/env bash
# A window program started where no window can be opened (no display named, or a display that
# nobody serves) says why in Russian on standard error and ends with status 1, not Qt's abort.
program=$1
for display in "" ":987"; do
  message=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1 >/dev/null)
  status=$?
  if [ "$status" -ne 1 ] || ! grep -q "не удалось открыть окно" <<<"$message"; then
    echo "DISPLAY='$display': status $status, message: $message" >&2
    exit 1
  fi
done
