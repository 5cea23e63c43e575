# Sourced by the bench scripts: the environment of one sandboxed Wine prefix.
#   wine_env ARCH ROOT   sets WINEPREFIX, WINELOADER, WINESERVER, HOME and the locale for a
#                        64-bit prefix (ARCH x86_64), with everything Wine writes kept under ROOT.
#   wine_make_prefix     creates the prefix afresh and seals it (see below).
#   wine_check_sealed    fails unless every drive of the prefix lies inside ROOT.
# Safety: a new prefix maps the host's root as z:, and Wine links the user's folders to $HOME.
# The program deletes files by pattern on every fixed drive, so no drive of ours may reach
# anything outside ROOT: the prefix is made without z:, any other drive letter and raw devices
# are removed, HOME points inside ROOT, and every symbolic link inside drive_c is replaced by an
# empty folder.

SYSCLEAN_TEMPLATES=${SYSCLEAN_TEMPLATES:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine-templates}

wine_env() {
  local arch=$1
  SANDBOX_ROOT=$(mkdir -p "$2" && cd "$2" && pwd)
  export WINEPREFIX=$SANDBOX_ROOT/prefix
  export HOME=$SANDBOX_ROOT/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
  export LC_ALL=zh_CN.UTF-8
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  export SYSCLEAN_SCRATCH=$SANDBOX_ROOT
  # Every prefix is a 64-bit one; 32-bit programs run in it through Wine's 32-bit loader.
  if [ "$arch" != x86_64 ]; then echo "wine_env: the bench's prefixes are x86_64 ones" >&2; return 2; fi
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  mkdir -p "$HOME"
}

wine_seal_prefix() {
  local dd=$WINEPREFIX/dosdevices name entry
  for entry in "$dd"/*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    name=${entry##*/}
    case "$name" in
      c:) ;;                      # ../drive_c, inside the prefix
      ?:|?::) rm -f "$entry" ;;   # z: (the host's root) and raw block devices such as c::
      *) ;;                       # serial and parallel ports are no file system
    esac
  done
  # Shell folders that Wine linked to the (sandbox) home: real, empty folders instead.
  find "$WINEPREFIX/drive_c" -type l -print0 | while IFS= read -r -d '' link; do
    rm -f "$link" && mkdir -p "$link"
  done
}

wine_make_prefix() {
  "$WINESERVER" -k 2>/dev/null || true
  # Creating a prefix takes minutes (wineboot registers the 32-bit side under qemu too), so the
  # first run keeps a sealed pristine copy; each run starts from a fresh copy of it.
  local template=$SYSCLEAN_TEMPLATES/$WINEARCH stamp
  stamp="$("$WINELOADER" --version 2>/dev/null) $(uname -m) v2"
  mkdir -p "$SYSCLEAN_TEMPLATES"
  # Benches started side by side wait for the one that makes the template.
  exec {lock}>"$SYSCLEAN_TEMPLATES/.lock"
  flock "$lock"
  if [ "$(cat "$template.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$template" "$template.stamp" "$template.home"
    # Wine maps z: to the host's root only when it makes dosdevices itself; made here with c:
    # alone, the prefix never has a z:, not even while wineboot runs.
    mkdir -p "$template/dosdevices" "$template/drive_c" "$template.home"
    ln -s ../drive_c "$template/dosdevices/c:"
    (
      # The template's own home: Wine links the user's folders to it, and the seal removes them.
      export HOME=$template.home WINEPREFIX=$template
      "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
      "$WINESERVER" -w
      # Wine draws the window frames itself: there is no window manager on the virtual display.
      for v in Decorated Managed; do
        "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v $v /d N /f >/dev/null 2>&1
      done
      # Drive E: is a CD-ROM drive (its folder is mapped afresh for each run).
      "$WINELOADER" reg add 'HKLM\Software\Wine\Drives' /v e: /d cdrom /f >/dev/null 2>&1
      "$WINESERVER" -w
      wine_seal_prefix
    )
    echo "$stamp" > "$template.stamp"
  fi
  flock -u "$lock"; exec {lock}>&-
  rm -rf "$WINEPREFIX" "$SANDBOX_ROOT"/drive-[de].*
  cp -a "$template" "$WINEPREFIX"
  wine_seal_prefix
  # Fresh, empty folders as drive D: (fixed) and E: (a CD-ROM drive), for tests of drive lists.
  local d e
  d=$(mktemp -d "$SANDBOX_ROOT/drive-d.XXXXXX")
  e=$(mktemp -d "$SANDBOX_ROOT/drive-e.XXXXXX")
  ln -s "$d" "$WINEPREFIX/dosdevices/d:"
  ln -s "$e" "$WINEPREFIX/dosdevices/e:"
  wine_check_sealed
}

wine_check_sealed() {
  local entry target bad=0
  for entry in "$WINEPREFIX"/dosdevices/?: "$WINEPREFIX"/dosdevices/?::; do
    [ -L "$entry" ] || continue
    target=$(readlink -f "$entry")
    case "$target/" in
      "$SANDBOX_ROOT"/*) ;;
      *) echo "UNSAFE: $entry -> $target lies outside $SANDBOX_ROOT" >&2; bad=1 ;;
    esac
  done
  while IFS= read -r -d '' link; do
    target=$(readlink -f "$link")
    case "$target/" in
      "$SANDBOX_ROOT"/*) ;;
      *) echo "UNSAFE: $link -> $target lies outside $SANDBOX_ROOT" >&2; bad=1 ;;
    esac
  done < <(find "$WINEPREFIX/drive_c" -type l -print0)
  return $bad
}

# Links the folder of program $1 into C:\run\<id>\ and prints that folder's Unix path.
wine_stage() {
  mkdir -p "$WINEPREFIX/drive_c/run"
  local stage; stage=$(mktemp -d "$WINEPREFIX/drive_c/run/XXXXXX")
  cp -al "$(dirname "$1")/." "$stage/" 2>/dev/null || cp -a "$(dirname "$1")/." "$stage/"
  echo "$stage"
}
