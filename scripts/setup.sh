#!/usr/bin/env bash
# Installs the Debian packages that building and testing Praxel need, skipping those already
# installed. Usage: scripts/setup.sh [extra packages...]
set -euo pipefail

# libxml2-utils and xsltproc check the Microsoft Project XML export against its schema and GNOME
# Planner's stylesheet for it (planner-data).
packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev libgtest-dev libbenchmark-dev
          fonts-dejavu-core poppler-utils libxml2-utils xsltproc planner-data
          # The fuzzing harnesses are built with clang and its libFuzzer and sanitizer runtimes.
          clang libclang-rt-14-dev
          # The installation wrapper registers file types and desktop entries with these.
          desktop-file-utils xdg-utils shared-mime-info "$@")
# GNU time: the peak memory of the timed pxtool runs (bench/pxtool_bench.sh).
packages+=(time)
# The locales the program is tried in besides a fresh machine's C.UTF-8 (generated below).
packages+=(locales)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Generates the locales that are not there yet.
locales=(en_US.UTF-8 en_GB.UTF-8 de_DE.UTF-8 fr_FR.UTF-8)
generate=()
for locale in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}" || generate+=("$locale")
done
if [ ${#generate[@]} -gt 0 ]; then
  for locale in "${generate[@]}"; do
    "${sudo[@]}" sed -i "s/^# *\(${locale} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${locale} UTF-8" /etc/locale.gen || echo "${locale} UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo[@]}" locale-gen >/dev/null
fi
