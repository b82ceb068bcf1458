#!/bin/sh
# Fails when a file of src/ includes one of a higher layer. The layers, from
# the bottom: base, platform, core, collision and console, world, player,
# things, campaign, screens, app. Level loading creates the hero: the one include
# that runs upwards (world/LevelLoad.cpp to player/Player.h).
cd "$(dirname "$0")/../src" || exit 2
rank() {
    case $1 in
    base) echo 0 ;; platform) echo 1 ;; core) echo 2 ;; collision | console) echo 3 ;;
    world) echo 4 ;; player) echo 5 ;; things) echo 6 ;; campaign) echo 7 ;; screens) echo 8 ;; app) echo 9 ;;
    *) echo 99 ;;
    esac
}
upward=$(for file in */*.h */*.cpp; do
    from=${file%%/*}
    for to in $(sed -n 's#^\#include "\([a-z]*\)/.*#\1#p' "$file" | sort -u); do
        [ "$file:$to" = "world/LevelLoad.cpp:player" ] && continue
        [ "$(rank "$to")" -gt "$(rank "$from")" ] && echo "$file includes from $to, a higher layer than $from"
    done
done)
[ -z "$upward" ] && exit 0
echo "$upward"
exit 1
