#!/bin/sh
# Runs a command in a private home, data and runtime folder, so nothing touches the real user's keychain.
#   with-keyring.sh --secret-service CMD...   on a private D-Bus session bus with gnome-keyring's Secret
#                                             Service and an unlocked login collection
#   with-keyring.sh --no-service CMD...       with no session bus at all
# The command sees ZELK_EXPECT_KEYCHAIN=secret-service or file.
set -eu
mode="$1"
shift
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" \
  XDG_CACHE_HOME="$scratch/cache" XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The keychain library picks its backend by desktop; without one it takes the Secret Service.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
case "$mode" in
  --secret-service)
    export ZELK_EXPECT_KEYCHAIN=secret-service
    # The daemon ends with the bus when the command is done.
    dbus-run-session -- sh -c 'printf zelk-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null &&
      exec "$@"' sh "$@"
    ;;
  --no-service)
    export ZELK_EXPECT_KEYCHAIN=file DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus"
    "$@"
    ;;
  *)
    echo "usage: $0 --secret-service|--no-service CMD..." >&2
    exit 2
    ;;
esac
