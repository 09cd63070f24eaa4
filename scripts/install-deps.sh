#!/usr/bin/env bash
# Installs every package needed to build, test and run Brisomel on Debian 12 or Ubuntu.
# Packages that are already installed are skipped, so running it again is cheap.
set -euo pipefail

# Listening in the line list: Qt Multimedia plays through GStreamer, whose plugin sets hold the
# WAV, MP3 (mpg123) and M4A (MP4 demuxer) readers (good), the AIFF reader (bad), the AAC decoder
# (libav) and the sound outputs (alsa, pulseaudio). The tests check the loudness meter against
# libebur128. MinGW checks the sources only Windows builds.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-gtk-platformtheme qt6-translations-l10n
  libavformat-dev libavcodec-dev libavutil-dev
  libebur128-dev
  qt6-multimedia-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
  gstreamer1.0-alsa gstreamer1.0-pulseaudio
  libgtest-dev googletest
  libxml2-utils libxml2-dev
  libicu-dev
  fonts-noto-cjk
  xvfb xauth
  locales-all
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64
  dpkg-dev file lintian appstream desktop-file-utils man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
