#!/usr/bin/env bash
# Makes the pictures of the README with lumaro-render: each system in a few characteristic
# states, by day and by night, and a blinking lamp in both phases.
#   docs/pictures.sh [build/lumaro-render]
set -euo pipefail
cd "$(dirname "$0")"
render=${1:-../build/lumaro-render}

# A route set through: block signal proceeds, intermediate signal dark with its identification
# light, exit signal at 100 km/h, entry signal at 40 km/h after the propagation enabled it.
route="tick Button22 Button20 Button5 tick Button31 tick tick"
# Substitute and caution signals, shunting permitted.
substitute="tick Button23 Button9 Button18 Button37 Button29 tick tick"
# A route at 40 km/h with the substitute signal at the block signal, whose lamps blink.
blinking="tick Button20 Button2 Button22 tick Button31 Button23 tick tick"

for system in hv ks hl; do
  case $system in
    hv) menu=HVSystem1 ;;
    ks) menu=KsSystem1 ;;
    hl) menu=HlSystem1 ;;
  esac
  "$render" $menu tick --png $system-stop.png
  "$render" $menu $route --png $system-route.png
  "$render" $menu $substitute --png $system-substitute.png
  "$render" $menu Nacht1 $route --png $system-night.png
done
for system in ks hl; do
  menu=$([ $system = ks ] && echo KsSystem1 || echo HlSystem1)
  # Four ticks leave the blink phase dark, a fifth lights the blinking lamps.
  "$render" $menu $blinking --png $system-blink-off.png
  "$render" $menu $blinking tick --png $system-blink-on.png
done
