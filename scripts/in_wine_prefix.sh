# Sourced by every script that runs Windows programs under Wine. Wine reads
# its prefix, architecture, debug channels and DLL choices from the caller's
# environment; use_wine_prefix pins them, so that a program runs in the given
# prefix only, whatever the caller has set.

# Makes PREFIX the prefix of every Wine command that follows: 64-bit (Debian has
# no 32-bit Wine beside it here), no debug output (it also hides the remark
# that wine32 is missing), neither Mono nor Gecko offered, and no menu entries,
# icons or file associations written into the user's home by winemenubuilder,
# which a prefix's creation and every shortcut would start.
# A new prefix links its Desktop, Documents, Downloads... to the user's home
# folders; here they link to a home folder inside the prefix instead, so that
# nothing a program writes there lands in the user's files. The X server is
# still found: its authority file is named before HOME changes.
use_wine_prefix() {
    local prefix
    prefix=$(realpath -m -- "$1")  # Wine takes only an absolute path
    export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all \
        WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
    unset WINESERVER WINELOADER WINEDLLPATH XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
    export XAUTHORITY=${XAUTHORITY:-$HOME/.Xauthority}
    export HOME=$prefix/home
    mkdir -p "$HOME"
}

# Ends every process of the prefix in use, and its Wine server, and waits
# until the server is gone, so that the prefix can be removed. Only that
# prefix's processes: wineserver -k reaches no other prefix. For EXIT traps.
end_wine_prefix() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
