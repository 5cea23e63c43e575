#!/usr/bin/env bash
# Fills the run command's sandbox with a small set of junk files and history records, so that a
# user who presses the buttons sees real work done. Sourced by run.sh after wine_env, once the
# prefix exists.
c=$WINEPREFIX/drive_c
user=$c/users/$(id -un)
mkdir -p "$c/样例/项目" "$c/样例/日志" "$user/Temp" "$c/windows/temp" \
         "$user/AppData/Roaming/Microsoft/Windows/Recent" "$user/Favorites"
put() { mkdir -p "$(dirname "$1")"; head -c "$2" /dev/urandom > "$1"; }
put "$c/样例/项目/报告.doc" 20000          # a document: stays
put "$c/样例/项目/报告.bak" 20000          # junk
put "$c/样例/项目/~\$报告.doc" 512         # junk: an editor's lock file
put "$c/样例/项目/build.tmp" 64000
put "$c/样例/日志/setup.log" 4000
put "$c/样例/日志/old.old" 3000
put "$user/Temp/install_1234.tmp" 100000
put "$c/windows/temp/update.tmp" 50000
put "$user/AppData/Roaming/Microsoft/Windows/Recent/报告.doc.lnk" 300
printf '[InternetShortcut]\r\nURL=https://example.org/\r\n' > "$user/Favorites/示例.url"

reg=$(mktemp "$SANDBOX_ROOT/sample.XXXXXX.reg")
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\TypedURLs]
"url1"="https://example.org/"
"url2"="https://example.net/news"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU]
"a"="notepad\\1"
"b"="cmd\\1"
"MRUList"="ab"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs]
"MRUListEx"=hex:00,00,00,00,ff,ff,ff,ff

[HKEY_CURRENT_USER\Software\Microsoft\Telnet]
"Machine1"="server.example.org"
"LastMachine"="server.example.org"

[HKEY_CURRENT_USER\Software\Microsoft\MediaPlayer\Player\RecentFileList]
"File0"="C:\\样例\\music.mp3"

[HKEY_CURRENT_USER\Software\WinRAR\ArcHistory]
"0"="C:\\样例\\archive.rar"
REG
iconv -f UTF-8 -t GBK "$reg" > "$reg.gbk"
"$WINELOADER" regedit /s "$(basename "$reg.gbk")" >/dev/null 2>&1 || \
  (cd "$(dirname "$reg")" && "$WINELOADER" regedit /s "$(basename "$reg.gbk")" >/dev/null 2>&1) || true
rm -f "$reg" "$reg.gbk"
