# The Windows program as Windows meets it, and its installer as a player uses it, under
# Wine on a 1920 × 1080 screen: the manifest and version resource read back from the
# .exe (Wine does not stretch a program that lacks them, so reading them is the proof);
# the installer run silently into a fresh Wine prefix set to 144 DPI (150 %), the Start
# menu shortcut and the Apps & features entry it makes; the game started from the
# installed folder, its window 1198 × 872 and its idle frame tests/golden/idle.png at
# 2×, pixel for pixel; the silent uninstall taking program, shortcut and entry away and
# leaving settings.ini.
# Usage: windows.sh <frothwick.exe> <setup.exe>. The fresh prefix is a copy of one made
# once beside the program (wine-fresh, where nothing ever runs), so Wine's slow first
# start is paid once.
export XVFB_SCREEN=1920x1080x24
source "$(dirname "$0")/../window/common.bash"

EXE=$1 SETUP=$2
DEADLINE=${FROTHWICK_TEST_DEADLINE:-120}  # Wine starts its own services first
SCALE=2                                   # the game's choice for this screen, not forced
VERSION=$(awk '/^project/ { print $3 }' "$(dirname "$0")/../../CMakeLists.txt")
COPYRIGHT=$(grep -o 'Copyright [0-9]* the Frothwick developers' "$(dirname "$0")/../../data/index.html")
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Frothwick'
# Shortcuts made under Wine would otherwise become menu entries of this machine.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'kill "${GAME_PID:-}" 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$WORK"' EXIT

# Resource <type>/<name> of the program, as its bytes (icoutils' wrestool).
resource() {  # type name
    wrestool --extract --raw --type="$1" --name="$2" "$EXE"
}

# A 32-bit version word of two 16-bit halves, as the bytes a PE file holds, in hex.
version_word() {  # high low
    printf '%02x%02x%02x%02x' $(($2 & 255)) $(($2 >> 8)) $(($1 & 255)) $(($1 >> 8))
}

# The manifest declares per-monitor DPI awareness (v2, and per-monitor for Windows
# before 10) and the program's identity; the version resource names it Frothwick, with
# the version the build gave it (as text, and as numbers, which Explorer shows) and the
# project's copyright line.
check_names_and_dpi() {
    local manifest strings pair major minor patch
    manifest=$(resource 24 1) || fail "frothwick.exe has no manifest"
    [[ $manifest == *'<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2</dpiAwareness>'* ]] ||
        fail "the manifest does not declare per-monitor DPI awareness v2: $manifest"
    [[ $manifest == *'<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>'* ]] ||
        fail "the manifest lacks the per-monitor dpiAware"
    [[ $manifest =~ \<assemblyIdentity\ [^\>]*name=\"Frothwick.Frothwick\"\ version=\"$VERSION.0\" ]] ||
        fail "the manifest's identity is not Frothwick $VERSION: $manifest"
    # Its strings, UTF-16, each key followed by its value.
    strings=$(resource 16 1 | strings -e l -n 2) || fail "frothwick.exe has no version resource"
    for pair in ProductName=Frothwick FileDescription=Frothwick InternalName=Frothwick \
        OriginalFilename=frothwick.exe ProductVersion=$VERSION FileVersion=$VERSION \
        "CompanyName=The Frothwick developers" "LegalCopyright=$COPYRIGHT" \
        "Comments=A falling-can puzzle game"; do
        [[ $(grep -x -A1 "${pair%%=*}" <<<"$strings" | sed -n 2p) == "${pair#*=}" ]] ||
            fail "the version resource's ${pair%%=*} is not ${pair#*=}: $strings"
    done
    IFS=. read -r major minor patch <<<"$VERSION"
    # The fixed part: its mark and layout version, then file and product version.
    local words
    words=$(version_word "$major" "$minor")$(version_word "$patch" 0)
    [[ $(resource 16 1 | od -An -tx1 -v | tr -d ' \n') == *bd04effe00000100$words$words* ]] ||
        fail "the version resource's numbers are not $VERSION.0"
}

# A prefix where nothing has run yet: a copy of the one made once, at 144 DPI.
fresh_prefix() {
    local made
    made=$(dirname "$EXE")/wine-fresh
    if [[ ! -f $made/system.reg ]]; then
        echo "Making the Wine prefix $made (once)"
        WINEPREFIX=$made wineboot --init >"$WORK/wineboot.log" 2>&1 || fail "wineboot failed"
        WINEPREFIX=$made wineserver --wait
    fi
    export WINEPREFIX=$WORK/wine
    cp -a "$made" "$WINEPREFIX"
    wineserver --persistent=60  # one server for the rest of the test
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null ||
        fail "cannot set Wine's DPI"
}

# The Windows folder given as %NAME%, as a path on this machine.
folder() {  # NAME
    winepath --unix "$(wine cmd /c "echo %$1%" | tr -d '\r')"
}

# Value NAME of the uninstall entry as reg printed it into ENTRY.
entry() {  # NAME
    sed -n "s/^ *$1 *REG_[A-Z]* *//p" <<<"$ENTRY"
}

# The silent install puts the program into the user's programs folder, a shortcut
# naming it into the Start menu, and an entry with its icon, version and uninstaller
# into Apps & features.
install_silently() {
    wine "$SETUP" /S || fail "the silent install failed"
    local program_dir
    program_dir=$(wine cmd /c 'echo %LOCALAPPDATA%\Programs\Frothwick' | tr -d '\r')
    INSTALLED=$(winepath --unix "$program_dir")
    SHORTCUT=$(folder APPDATA)/Microsoft/Windows/Start\ Menu/Programs/Frothwick.lnk
    local file
    for file in frothwick.exe burp.wav siren.wav index.html README.txt uninstall.exe; do
        [[ -f $INSTALLED/$file ]] || fail "$file is not in $INSTALLED"
    done
    cmp -s "$EXE" "$INSTALLED/frothwick.exe" || fail "the installed program is not the one built"
    [[ -f $SHORTCUT ]] || fail "no Start menu shortcut"
    grep -qixF "$program_dir\\frothwick.exe" < <(strings -a "$SHORTCUT") ||
        fail "the shortcut does not name $program_dir\\frothwick.exe"
    ENTRY=$(wine reg query "$UNINSTALL_KEY" | tr -d '\r')
    [[ $(entry DisplayName) == Frothwick ]] || fail "the uninstall entry is not named Frothwick"
    [[ $(entry DisplayVersion) == "$VERSION" ]] || fail "the uninstall entry's version is not $VERSION"
    [[ $(entry DisplayIcon) == "$program_dir\\frothwick.exe,0" ]] || fail "the uninstall entry has no icon"
    [[ $(entry UninstallString) == "\"$program_dir\\uninstall.exe\"" ]] || fail "the uninstall entry has no uninstaller"
}

# Started from the installed folder on the 144-DPI screen, the game picks 2× from the
# screen's real pixels: a 1198 × 872 window showing the idle frame at 2×. Its close
# icon ends it and leaves its settings.
play_installed() {
    openbox --startup "touch $WORK/wm-ready" >"$WORK/openbox.log" 2>&1 &
    wait_for test -e "$WORK/wm-ready" || fail "openbox did not take over the screen within $DEADLINE s"
    xdotool mousemove 0 0
    GAME=$WORK/frothwick-installed
    printf '#!/bin/sh\ncd "%s" && exec wine frothwick.exe\n' "$INSTALLED" >"$GAME"
    chmod +x "$GAME"
    start_game
    [[ "$WW" -eq $((2 * WINDOW_W)) && "$WH" -eq $((2 * WINDOW_H)) ]] || fail "at 144 DPI the window is ${WW}x${WH}"
    screenshot 1
    expect_frame idle
    click_on EXIT_ICON
    wait_for_end
    SETTINGS=$(folder APPDATA)/FrothwickPro/settings.ini
    [[ -s $SETTINGS ]] || fail "the game saved no settings.ini"
}

# The silent uninstall takes the program, its folder, the shortcut and the entry, and
# leaves the player's settings.ini as it was.
uninstall_silently() {
    local kept
    kept=$(md5sum <"$SETTINGS")
    wine "$INSTALLED/uninstall.exe" /S || fail "the silent uninstall failed"
    # The uninstaller works from a copy of itself, which the command above only starts.
    wait_for test ! -e "$INSTALLED" || fail "$INSTALLED is still there: $(ls "$INSTALLED")"
    [[ ! -e $SHORTCUT ]] || fail "the Start menu shortcut is still there"
    ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || fail "the uninstall entry is still there"
    [[ -f $SETTINGS && $(md5sum <"$SETTINGS") == "$kept" ]] || fail "uninstalling took settings.ini or changed it"
}

check_names_and_dpi
fresh_prefix
install_silently
play_installed
uninstall_silently
echo "windows install: ok"
