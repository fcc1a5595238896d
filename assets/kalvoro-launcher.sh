#!/bin/sh
# Starts Kalvoro from its program folder, where it keeps db.sqlite and prize.ini.
#
# Installed as <program folder>/kalvoro.sh. When the user cannot write to the
# program folder (an installation under /opt owned by root), the program runs
# from a folder of the user's own instead: the executable, its report library
# and prize.ini are copied there, everything else (skins, pictures, sounds,
# help) is linked. KALVORO_HOME names that folder; by default it is
# $XDG_DATA_HOME/kalvoro (~/.local/share/kalvoro). Setting KALVORO_HOME also
# runs from that folder when the program folder is writable, which keeps the
# data of separate events apart.
set -eu

src=$(dirname "$(readlink -f "$0")")

if [ -n "${KALVORO_HOME:-}" ]; then
    run=$KALVORO_HOME
elif [ -w "$src" ]; then
    run=$src
else
    run=${XDG_DATA_HOME:-$HOME/.local/share}/kalvoro
fi

mkdir -p "$run"
run=$(cd "$run" && pwd -P)

if [ "$run" != "$src" ]; then
    for f in "$src"/*; do
        [ -e "$f" ] || continue
        name=${f##*/}
        case $name in
        kalvoro.sh | db.sqlite*) ;;
        kalvoro | libkalvoro_report.so*)
            # Copied, not linked: the program finds its folder through its own path.
            # A changed installation (an update) replaces the copy.
            if ! cmp -s "$f" "$run/$name"; then
                cp -p "$f" "$run/.$name.new"
                mv -f "$run/.$name.new" "$run/$name"
            fi
            ;;
        prize.ini)
            # The user's settings: laid once, never overwritten.
            [ -e "$run/$name" ] || cp "$f" "$run/$name"
            ;;
        *)
            [ -e "$run/$name" ] || [ -L "$run/$name" ] || ln -s "$f" "$run/$name"
            ;;
        esac
    done
fi

cd "$run"
exec ./kalvoro "$@"
