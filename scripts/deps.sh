#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# A machine that has them all spends no time here.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libgl-dev qt6-multimedia-dev
  libxml2-dev libzip-dev zlib1g-dev libhunspell-dev
  hunspell-en-us hunspell-en-gb hunspell-en-ca
  libpng-dev libjpeg62-turbo-dev libjpeg-turbo-progs
  libopenjp2-7-dev libopenjp2-tools libmng-dev libraw-dev libtiff-dev libtiff-tools qt6-image-formats-plugins
  googletest libgtest-dev libgmock-dev
  fonts-liberation unzip libxml2-utils zip python3
  libreoffice-impress-nogui poppler-utils
  php-cli php-sqlite3
  chromium
  xvfb xauth
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The screen file tests run the generated scripts in Node.js; any node on the path will do.
if ! command -v node >/dev/null 2>&1; then
  missing+=(nodejs)
fi

# npm fetches the test-only packages into the build folder. Debian's npm brings Node.js with it; a
# Node.js installed otherwise usually carries its own npm, which is kept.
if ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
