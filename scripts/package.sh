#!/usr/bin/env bash
# Builds a release and writes the Debian package ventrel_<version>_<arch>.deb into the
# repository's folder. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export DEBIAN_FRONTEND=noninteractive
dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q "install ok installed" ||
  apt-get install -y -qq --no-install-recommends dpkg-dev file
# The prefix the package installs into, so that the folders built into the programs are right.
BUILD_DIR=build-release BUILD_TYPE=Release bash scripts/build.sh -DCMAKE_INSTALL_PREFIX=/usr
(cd build-release && cpack -G DEB)
mv build-release/ventrel_*.deb .
ls -l ventrel_*.deb
