#!/usr/bin/env bash
# Takes the README's pictures under a virtual display: the measurement page with the house
# sample and its log-log graph, into docs/. Needs a build (bash scripts/build.sh) and installs
# the screenshot tools it uses (xdotool, imagemagick) if they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
for p in xdotool imagemagick xvfb xauth; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    apt-get install -y -qq --no-install-recommends "$p"
done
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/house-depress.lkd "$work/"
# A 1280 x 1024 screen at 96 DPI: the 9600 x 7500 twip pages are 640 x 500 pixels, centred,
# with Next at the same place on the two pages before the measurement page.
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  build/ventrel "$0/house-depress.lkd" 2>/dev/null &
  app=$!
  sleep 3
  xdotool mousemove 884 703 click 1; sleep 1
  xdotool mousemove 884 703 click 1; sleep 1
  import -window root -crop 660x520+310+250 +repage docs/measurement-page.png
  kill $app' "$work"
build/tools/ventrel-cli graph --png docs/graph.png "$work/house-depress.lkd"
ls -l docs/*.png
