#!/usr/bin/env bash
# Builds the Debian package (portiqa_VERSION_ARCH.deb in the project folder)
# with CPack, then checks it: lintian reports no error, the file list and the
# control fields are the expected ones, and the programs it holds answer
# --version and --help.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh help2man lintian librsvg2-bin dpkg-dev fakeroot file
BUILD_DIR=build-pkg BUILD_TYPE=Release bash scripts/build.sh -DPORTIQA_PACKAGE=ON -DPORTIQA_BUILD_TESTS=OFF
(cd build-pkg && cpack -G DEB >/dev/null)
deb=$(ls build-pkg/portiqa_*.deb | head -n1)
cp "$deb" .
deb=$(basename "$deb")
echo "built $deb"
bash scripts/check-package.sh "$deb"
