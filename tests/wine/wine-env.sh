# Sourced by everything that runs Wine for the project: sets up one prefix
# of the project's own (never a user's) and names the Wine programs.
#   . wine-env.sh PREFIX [DLLPATH]
# DLLPATH names Wine's 32-bit Windows DLLs (scripts/install-wine32.sh): the
# x86 build needs it when its prefix is created and for every run after.
# Afterwards "$wine" runs a Windows program and "$wineserver" is the prefix's
# server, and "$slowdown" says how many times longer than on a machine of
# ours each wait for Wine may be (TARDO_WINE_SLOWDOWN, set for the tests by
# the build; an emulated x86-64 machine is several times slower).
export WINEPREFIX=$1
if [ -n "${2:-}" ]; then
  export WINEDLLPATH=$2
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# No display, whoever runs this: no window can open, so a message box (the
# plug-in's Help) returns at once instead of waiting for a click.
unset DISPLAY
slowdown=${TARDO_WINE_SLOWDOWN:-1}
# Wine turns file names and arguments into wide text through the Unix locale:
# without a UTF-8 one, non-ASCII names are lost.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *UTF-8*|*utf8*|*UTF8*|*utf-8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
