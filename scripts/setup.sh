# Shared by run.sh and test.sh: installs the Debian packages the build needs
# and configures and builds the project in build/.
set -euo pipefail

PACKAGES=(build-essential cmake qtbase5-dev qtbase5-private-dev xvfb openbox x11-utils
  libqt5sql5-sqlite libsqlite3-dev qttranslations5-l10n fonts-dejavu-core libbenchmark-dev locales sqlite3)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
  local missing=()
  for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# The number parsers are tested under a Russian locale (decimal comma).
ensure_test_locale() {
  locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' && return 0
  as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen \
    || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}

build_project() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
  cmake --build build -j"$(nproc)"
}
