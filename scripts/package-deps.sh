#!/usr/bin/env bash
# Installs what building and checking the packages needs, only what is missing: Debian's
# packaging tools, the validators of the desktop files, and Python's build tools.
set -euo pipefail
exec "$(dirname "$0")/deps.sh" dpkg-dev fakeroot lintian desktop-file-utils appstream gzip \
  python3 python3-build python3-setuptools python3-wheel python3-venv python3-pip "$@"
