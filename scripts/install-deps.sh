#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the game need,
# and any further ones named as arguments, asking apt only for those dpkg says are
# missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang-format
    libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libinih-dev libx11-dev libxfixes-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick x11-utils desktop-file-utils appstream man-db openbox
    python3 python3-pil fonts-dejavu-core
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "error: these Debian packages are missing: ${missing[*]}" >&2
    echo "Install them as root (apt-get install ${missing[*]}), or run again as root or with sudo." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# Another install under way (the desktop's updater, a second make) is waited for.
lock_wait=(-o DPkg::Lock::Timeout=900)
"${sudo[@]}" apt-get "${lock_wait[@]}" update -qq
"${sudo[@]}" apt-get "${lock_wait[@]}" install -y -qq --no-install-recommends "${missing[@]}"
