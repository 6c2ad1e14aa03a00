#!/bin/sh
# Runs a test program on a private session bus with a secret service of its own (an unlocked
# keyring in a temporary home), so nothing of the user's keyring is read or written.
# Exits 77 (skipped) when the secret service or the bus daemon is not installed.
set -eu
command -v dbus-run-session >/dev/null 2>&1 || exit 77
command -v gnome-keyring-daemon >/dev/null 2>&1 || exit 77
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
export XDG_RUNTIME_DIR="$home/runtime"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_KEYRING_CONTROL
exec dbus-run-session -- sh -c '
  printf "test-keyring" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
  exec "$@"' sh "$@"
