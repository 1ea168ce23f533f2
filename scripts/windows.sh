#!/usr/bin/env bash
# Builds the Windows programs on Debian 12 with MinGW-w64: Qt (Core, Gui,
# Widgets, the Windows platform plugin; static, release) and the file
# libraries are built once from Debian's sources into a cache outside the tree
# ($PORTIQA_WIN_CACHE, default ~/.cache/portiqa-windows; about an hour on two
# cores the first time), then the project with cmake/mingw-w64-x86_64.cmake.
# Stages: deps, qt, libs, app, smoke, package (default: all of them in order).
# Output: build-windows/dist/ with portiqa.exe and portiqa-cli.exe, the
# installer portiqa-VERSION-setup.exe and portiqa-VERSION-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=${PORTIQA_WIN_CACHE:-$HOME/.cache/portiqa-windows}
jobs=$(nproc)
mkdir -p "$cache/src" "$cache/build"
stages=("${@:-deps qt libs app smoke package}")
stages=(${stages[@]})
# --test: build and run everything that can be tested here (the tests under
# wine and the smoke runs), given the cached Qt and libraries.
[ "${stages[*]}" = "--test" ] && stages=(app smoke)

want() { local s; for s in "${stages[@]}"; do [ "$s" = "$1" ] && return 0; done; return 1; }

# deb_src_entries FILE...: for every Debian archive entry of the machine's apt
# sources (one-line "deb URI SUITE COMPONENTS" or a deb822 stanza of Types:
# deb), the same archive as a deb822 deb-src stanza. Entries of other
# archives (their URI does not end in /debian or /debian-security) are left out.
deb_src_entries() {
  awk '
    function flush() {
      if (types ~ /(^| )deb( |$)/ && uris ~ /\/debian(-security)?\/?( |$)/)
        printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\nSigned-By: %s\n\n", uris, suites, comps, key
      types = uris = suites = comps = ""; key = "/usr/share/keyrings/debian-archive-keyring.gpg"
    }
    BEGIN { flush() }
    FNR == 1 { flush() }
    /^[ \t]*#/ { next }
    /^deb[ \t]/ {
      flush(); n = split($0, f, /[ \t]+/); i = 2
      if (f[i] ~ /^\[/) { while (i <= n && f[i] !~ /\]$/) i++; i++ }
      types = "deb"; uris = f[i]; suites = f[i + 1]; comps = ""
      for (j = i + 2; j <= n; j++) comps = comps (comps == "" ? "" : " ") f[j]
      flush(); next
    }
    /^[ \t]*$/ { flush(); next }
    /^Types:/ { sub(/^Types:[ \t]*/, ""); types = $0 }
    /^URIs:/ { sub(/^URIs:[ \t]*/, ""); uris = $0 }
    /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites = $0 }
    /^Components:/ { sub(/^Components:[ \t]*/, ""); comps = $0 }
    /^Signed-By:/ { sub(/^Signed-By:[ \t]*/, ""); key = $0 }
    END { flush() }
  ' $(for f in "$@"; do [ -f "$f" ] && echo "$f"; done) </dev/null
}

if want deps; then
  bash scripts/deps.sh g++-mingw-w64-x86-64-posix ninja-build qt6-base-dev-tools libz-mingw-w64-dev \
       dpkg-dev xz-utils patch tcl nsis wine wine64 zip librsvg2-bin imagemagick xvfb xauth
  # Debian's source packages: a deb-src entry for the archive this machine
  # already uses (its own mirror), written only when there is none.
  if ! grep -rqs "deb-src\|Types:.*deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/; then
    sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    entry=$(deb_src_entries /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list)
    [ -n "$entry" ] || { echo "windows: no Debian archive in this machine's apt sources to take the sources from"; exit 1; }
    printf '%s\n' "$entry" | $sudo_cmd tee /etc/apt/sources.list.d/portiqa-src.sources >/dev/null
    $sudo_cmd apt-get update -q
  fi
fi

# fetch PACKAGE: unpacks Debian's source into $cache/src/PACKAGE. The
# archive's index may name versions whose files it does not serve on a given
# day: every version apt knows is tried, newest first, each file fetched on
# its own so that the archive's words for a missing one are kept. Where only
# the Debian part of a source is missing and the build takes nothing from it
# (the packages in upstream_ok), the upstream tarball is unpacked as it is.
# A package that cannot be had at all stops the script with its name and
# the archive's words.
upstream_ok=" postgresql-15 zlib qrencode sqlite3 libxlsxwriter freexl "
fetch() {
  local pkg=$1 dir=$cache/src/$1.fetch words="" versions v uris uri file size hash out dsc orig
  [ -d "$cache/src/$pkg" ] && return 0
  versions=$(apt-cache showsrc "$pkg" 2>/dev/null |
    awk -v p="$pkg" '/^Package:/ { ours = ($2 == p) } ours && /^Version:/ { print $2 }' | sort -u | sort -rV)
  [ -n "$versions" ] || { echo "windows: apt knows no source of $pkg (no deb-src entry for its archive?)"; exit 1; }
  rm -rf "$dir" && mkdir -p "$dir"
  for v in $versions; do
    local missing=() debian_only=1
    uris=$(cd "$dir" && apt-get source --print-uris "$pkg=$v" 2>&1) ||
      { words+="  $pkg $v: $(tail -n 1 <<<"$uris")"$'\n'; continue; }
    while read -r uri file size hash; do
      [ -n "$file" ] && [ ! -f "$dir/$file" ] || continue
      if ! out=$(/usr/lib/apt/apt-helper download-file "${uri//\'/}" "$dir/$file" "$hash" 2>&1); then
        missing+=("$file")
        case $file in *.debian.tar.*|*.diff.gz) ;; *) debian_only=0 ;; esac
        words+="  $pkg $v: $file: $( (grep -m 1 -oE ' [0-9]{3} +[A-Za-z][A-Za-z ]*' <<<"$out" || tail -n 1 <<<"$out") | xargs)"$'\n'
      fi
    done < <(grep "^'" <<<"$uris")
    dsc=$(grep -o "[^ ]*\.dsc " <<<"$uris" | head -n 1 | tr -d ' ')
    if [ ${#missing[@]} -eq 0 ] && [ -n "$dsc" ]; then
      dpkg-source --no-check -x "$dir/$dsc" "$cache/src/$pkg" >/dev/null
      rm -f "$cache/src/"*.orig.tar.* "$cache/src/"*.orig-*.tar.*  # dpkg-source leaves the tarballs' copies beside the source
      echo "windows: source of $pkg: $v"
      rm -rf "$dir"
      return 0
    fi
    orig=$(cd "$dir" && ls ./*.orig.tar.* 2>/dev/null | grep -v '\.orig-\|\.asc$' | head -n 1 || true)
    if [ "$debian_only" -eq 1 ] && [ -n "$orig" ] && [[ $upstream_ok == *" $pkg "* ]]; then
      mkdir -p "$cache/src/$pkg" && tar -xf "$dir/$orig" --strip-components=1 -C "$cache/src/$pkg"
      echo "windows: source of $pkg: $v upstream only (the archive does not serve its Debian part: ${missing[*]};" \
           "this build takes none of Debian's patches to it)"
      rm -rf "$dir"
      return 0
    fi
    echo "windows: the archive does not serve $pkg $v whole:"
    grep -F "  $pkg $v:" <<<"$words" || true
  done
  echo "windows: no version of $pkg's source could be had from the archive (tried: $(echo $versions)):"
  printf '%s' "$words"
  exit 1
}

# Qt's configuration: what the cache was built with is its key, so a cache
# built otherwise (an older one without SQL) is rebuilt, not reused.
qt_features=(-DFEATURE_sql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=OFF -DFEATURE_sql_psql=ON
  -DFEATURE_sql_odbc=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF
  -DFEATURE_sql_db2=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_png=OFF -DFEATURE_concurrent=ON -DFEATURE_testlib=ON)
# Mends to Debian's Qt source for this build, each a patch in packaging/windows/qt.
qt_patches=$(cd "$root/packaging/windows/qt" && cat ./*.patch | sha256sum | cut -c1-16)
qt_key="qt6-base $(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null); sqlite 3.40.1; libpq 15; patches $qt_patches; ${qt_features[*]}"
qt_key_file=$cache/qt/portiqa-qt.key
pq_threads="pthread_getspecific pthread_mutex_init pthread_mutex_lock pthread_mutex_unlock pthread_self pthread_setspecific"
pq_key="postgresql-15 libpq; renamed: $pq_threads"
prefix=$cache/prefix
cc=x86_64-w64-mingw32-gcc-posix
mkdir -p "$prefix/lib/pkgconfig" "$prefix/include"
pc() {  # pc NAME VERSION LIBS: a pkg-config file for a library built here
  printf 'prefix=%s\nName: %s\nDescription: %s\nVersion: %s\nCflags: -I${prefix}/include\nLibs: -L${prefix}/lib %s\n' \
    "$prefix" "$1" "$1" "$2" "$3" >"$prefix/lib/pkgconfig/$1.pc"
}

# cached: succeeds when the cache holds a Qt built with today's key and every
# library the programs link (what CI asks before it runs the whole script).
if want cached; then
  # Each part of a key on a line of its own (Qt's features one a line), so
  # that a changed part can be named.
  key_parts() { awk -v RS='; ' '{ sub(/\n$/, ""); if ($0 ~ /^-D/) gsub(/ /, "\n"); print }' <<<"$1"; }
  have=$(cat "$qt_key_file" 2>/dev/null || true)
  why=()
  if [ -z "$have" ]; then why+=("no Qt built in $cache")
  elif [ "$have" != "$qt_key" ]; then
    why+=("Qt was built with: $(comm -23 <(key_parts "$have" | sort) <(key_parts "$qt_key" | sort) | paste -sd' ')")
    why+=("this script builds Qt with: $(comm -13 <(key_parts "$have" | sort) <(key_parts "$qt_key" | sort) | paste -sd' ')")
  fi
  [ "$(cat "$prefix/lib/libpq.portiqa" 2>/dev/null)" = "$pq_key" ] || why+=("libpq is not built as this script builds it")
  for lib in freexl qrencode xlsxwriter minizip; do [ -f "$prefix/lib/lib$lib.a" ] || why+=("lib$lib is missing"); done
  [ ${#why[@]} -eq 0 ] && exit 0
  echo "windows: the cache is not current:"
  printf '  %s\n' "${why[@]}"
  exit 1
fi

# PostgreSQL's client library for Qt's PostgreSQL driver (built before Qt,
# which looks for it), keyed on its own: libpq alone from Debian's PostgreSQL
# source, as one static archive with the two helper libraries it needs
# (Windows sockets and SSPI come from the system). libpq brings its own small
# pthread functions for Windows, with its own types: renamed, so that they
# never meet MinGW's winpthreads, which Qt and the C++ runtime use.
if want qt || want libs; then
  if [ "$(cat "$prefix/lib/libpq.portiqa" 2>/dev/null)" != "$pq_key" ]; then
    fetch postgresql-15
    rm -f "$prefix/lib/libpq.a" "$prefix/lib/libpq.portiqa"
    rm -rf "$cache/build/pq" && mkdir -p "$cache/build/pq"
    (cd "$cache/build/pq" &&
     "$cache/src/postgresql-15/configure" --host=x86_64-w64-mingw32 --prefix="$cache/build/pq/install" \
       --without-readline --without-zlib --without-icu --without-openssl --without-ldap --without-gssapi \
       CC=$cc >configure.log 2>&1 &&
     make -C src/include >build.log 2>&1 && make -j"$jobs" -C src/common >>build.log 2>&1 &&
     make -j"$jobs" -C src/port >>build.log 2>&1 && make -j"$jobs" -C src/interfaces/libpq >>build.log 2>&1 &&
     rm -rf merged && mkdir -p merged/common merged/port &&
     (cd merged/common && x86_64-w64-mingw32-ar x ../../src/common/libpgcommon_shlib.a) &&
     (cd merged/port && x86_64-w64-mingw32-ar x ../../src/port/libpgport_shlib.a) &&
     for o in merged/common/*.o; do mv "$o" "merged/pgcommon_$(basename "$o")"; done &&
     for o in merged/port/*.o; do mv "$o" "merged/pgport_$(basename "$o")"; done &&
     cp $(ls src/interfaces/libpq/*.o | grep -v win32ver.o) merged/ &&
     for o in merged/*.o; do x86_64-w64-mingw32-objcopy $(for f in $pq_threads; do printf -- '--redefine-sym %s=pq_%s ' "$f" "$f"; done) "$o"; done &&
     rm -f "$prefix/lib/libpq.a" && x86_64-w64-mingw32-ar rcs "$prefix/lib/libpq.a" merged/*.o &&
     cp "$cache/src/postgresql-15/src/interfaces/libpq/"{libpq-fe.h,libpq-events.h} \
        "$cache/src/postgresql-15/src/include/postgres_ext.h" \
        src/include/{pg_config.h,pg_config_ext.h,pg_config_os.h} \
        "$cache/src/postgresql-15/src/include/pg_config_manual.h" "$prefix/include/")
    [ -f "$prefix/lib/libpq.a" ] || { echo "windows: libpq did not build (see $cache/build/pq/build.log)"; exit 1; }
    pc libpq 15 "-lpq -lsecur32 -lws2_32 -lshell32"
    printf '%s' "$pq_key" >"$prefix/lib/libpq.portiqa"
  fi
fi

if want qt; then
  if [ "$(cat "$qt_key_file" 2>/dev/null)" != "$qt_key" ]; then
    # A source unpacked before with other patches is unpacked again.
    [ "$(cat "$cache/src/qt6-base/.portiqa-patches" 2>/dev/null)" = "$qt_patches" ] || rm -rf "$cache/src/qt6-base"
    if [ ! -d "$cache/src/qt6-base" ]; then
      fetch qt6-base &&
      for p in "$root"/packaging/windows/qt/*.patch; do patch -d "$cache/src/qt6-base" -p1 -s <"$p" || exit 1; done &&
      printf '%s' "$qt_patches" >"$cache/src/qt6-base/.portiqa-patches" || { echo "windows: Qt's source could not be made ready"; exit 1; }
    fi
    # Debian's Qt source carries no SQLite: its amalgamation, made from
    # Debian's own SQLite source, goes where Qt's driver expects its copy.
    if [ ! -f "$cache/src/qt6-base/src/3rdparty/sqlite/sqlite3.c" ]; then
      fetch sqlite3
      rm -rf "$cache/build/sqlite" && mkdir -p "$cache/build/sqlite"
      (cd "$cache/build/sqlite" && "$cache/src/sqlite3/configure" --disable-tcl >configure.log 2>&1 &&
       make sqlite3.c >build.log 2>&1 &&
       mkdir -p "$cache/src/qt6-base/src/3rdparty/sqlite" &&
       cp sqlite3.c sqlite3.h "$cache/src/qt6-base/src/3rdparty/sqlite/")
      [ -f "$cache/src/qt6-base/src/3rdparty/sqlite/sqlite3.c" ] || { echo "windows: SQLite's amalgamation was not made"; exit 1; }
    fi
    rm -rf "$cache/build/qt" "$cache/qt" && mkdir -p "$cache/build/qt"
    (cd "$cache/build/qt" &&
     cmake -G Ninja "$cache/src/qt6-base" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
       -DPORTIQA_WIN_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/qt" \
       -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
       -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
       -DPostgreSQL_INCLUDE_DIR="$prefix/include" -DPostgreSQL_LIBRARY="$prefix/lib/libpq.a" \
       "${qt_features[@]}" >configure.log 2>&1 &&
     ninja -j"$jobs" >build.log 2>&1 && ninja install >install.log 2>&1) ||
      { echo "windows: Qt did not build (see $cache/build/qt)"; exit 1; }
    printf '%s' "$qt_key" >"$qt_key_file"
  fi
fi

if want libs; then
  mkdir -p "$prefix/include/minizip"
  if [ ! -f "$prefix/lib/libminizip.a" ]; then
    fetch zlib
    rm -rf "$cache/build/minizip" && mkdir -p "$cache/build/minizip"
    (cd "$cache/build/minizip" && m="$cache/src/zlib/contrib/minizip" &&
     for f in ioapi unzip zip iowin32; do $cc -O2 -c "$m/$f.c" -o $f.o; done &&
     x86_64-w64-mingw32-ar rcs "$prefix/lib/libminizip.a" ./*.o &&
     cp "$m"/{ioapi,unzip,zip,iowin32,crypt}.h "$prefix/include/minizip/" &&
     cp /usr/x86_64-w64-mingw32/include/{zlib,zconf}.h "$prefix/include/")
    pc minizip 1.2.13 "-lminizip -l:libz.a"
  fi
  if [ ! -f "$prefix/lib/libiconv.a" ]; then
    # freexl converts the workbook's code page with iconv: a small one over the system's.
    (cd "$cache/build" && $cc -O2 -c "$root/packaging/windows/iconv/iconv.c" -o iconv.o &&
     x86_64-w64-mingw32-ar rcs "$prefix/lib/libiconv.a" iconv.o && cp "$root"/packaging/windows/iconv/{iconv,localcharset}.h "$prefix/include/")
  fi
  if [ ! -f "$prefix/lib/libxlsxwriter.a" ]; then
    fetch libxlsxwriter
    rm -rf "$cache/build/xlsx" && mkdir -p "$cache/build/xlsx"
    (cd "$cache/build/xlsx" &&
     cmake -G Ninja "$cache/src/libxlsxwriter" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
       -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DPORTIQA_WIN_PREFIX="$prefix" \
       -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=ON -DMINIZIP_ROOT="$prefix" \
       -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
       >configure.log 2>&1 && ninja -j"$jobs" install >build.log 2>&1)
    pc xlsxwriter 1.1.4 "-lxlsxwriter -lminizip -l:libz.a"
  fi
  if [ ! -f "$prefix/lib/libfreexl.a" ]; then
    fetch freexl
    rm -rf "$cache/build/freexl" && cp -r "$cache/src/freexl" "$cache/build/freexl"
    (cd "$cache/build/freexl" &&
     ./configure --host=x86_64-w64-mingw32 --prefix="$prefix" --disable-shared --enable-static \
       CC=$cc CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" >configure.log 2>&1 &&
     make -j"$jobs" >build.log 2>&1 && make install >install.log 2>&1)
    pc freexl 1.0.6 "-lfreexl -liconv"
  fi
  if [ ! -f "$prefix/lib/libqrencode.a" ]; then
    # QR codes on provisioning's labels.
    fetch qrencode
    rm -rf "$cache/build/qrencode" && mkdir -p "$cache/build/qrencode"
    (cd "$cache/build/qrencode" &&
     cmake -G Ninja "$cache/src/qrencode" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
       -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DPORTIQA_WIN_PREFIX="$prefix" \
       -DBUILD_SHARED_LIBS=OFF -DWITH_TOOLS=OFF -DWITH_TESTS=OFF >configure.log 2>&1 &&
     ninja -j"$jobs" install >build.log 2>&1)
    [ -f "$prefix/lib/libqrencode.a" ] || { echo "windows: libqrencode did not build (see $cache/build/qrencode)"; exit 1; }
    pc libqrencode 4.1.1 "-lqrencode"
  fi
fi

# Each stage that builds has its own environment: the Windows libraries'
# pkg-config directory belongs to the Windows build alone (the smoke stage
# builds the Linux simulator in the same run).
if want app; then (
  rm -rf build-windows
  export PKG_CONFIG_LIBDIR="$cache/prefix/lib/pkgconfig"
  cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DPORTIQA_WIN_PREFIX="$cache/prefix" -DCMAKE_PREFIX_PATH="$cache/qt;$cache/prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DPORTIQA_BUILD_TESTS=ON
  cmake --build build-windows -j"$jobs"
  # The tests that need no simulated module, run under wine; the record's
  # against SQLite and against the test PostgreSQL server, reached over TCP
  # on the loopback with a password as a Windows laptop reaches a team's.
  PORTIQA_PG_TCP=1 source scripts/test_postgres.sh
  [ -n "${PORTIQA_TEST_PG:-}" ] || { echo "windows: the test PostgreSQL server did not start"; exit 1; }
  WINEDEBUG=-all ctest --test-dir build-windows -j"$jobs" --output-on-failure
) fi

if want smoke; then
  # The Windows command line against the Linux simulated module: wine maps a
  # COM port to the simulator's pseudo-terminal, so the Win32 serial backend
  # runs a whole exchange (login, settings, numbers, a backup) end to end.
  # Of the Linux build only the simulator (the tests have built the rest).
  env -u PKG_CONFIG_LIBDIR -u PKG_CONFIG_PATH BUILD_TARGETS=portiqa-sim bash scripts/build.sh >/dev/null
  wineserver -k 2>/dev/null || true  # a server left from another display would hold the window open
  link=$(mktemp -u /tmp/portiqa-com-XXXXXX)
  build/src/portiqa-sim --link "$link" --seed-numbers 50 --seed-history 20 >/dev/null &
  sim=$!
  trap 'kill $sim 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.1; done
  prefix_dir=${WINEPREFIX:-$HOME/.wine}
  [ -d "$prefix_dir/dosdevices" ] || WINEDEBUG=-all wineboot -i >/dev/null 2>&1 || true
  ln -sfn "$link" "$prefix_dir/dosdevices/com33"
  # The record of these runs is a file of their own (the journal and the
  # snapshots the Windows programs keep).
  rec="$link-record.sqlite"
  rm -f "$rec"
  cli() { WINEDEBUG=-all timeout 120 wine build-windows/src/portiqa-cli.exe --lang en -q -p COM33 --record "Z:$rec" "$@"; }
  rcli() { WINEDEBUG=-all timeout 120 wine build-windows/src/portiqa-cli.exe --lang en --record "Z:$rec" "$@"; }
  grep -q "^5"$'\t'"Unauthorized door opened" <<<"$(cli settings read)" || { echo "smoke: settings read failed"; exit 1; }
  cli settings save --set 2=+79031230001 --set 16=24 --set 13="Gate open" || { echo "smoke: settings save failed"; exit 1; }
  grep -q "^16"$'\t'"24" <<<"$(cli settings read)" || { echo "smoke: the saved settings did not read back"; exit 1; }
  # The record kept the read and the save: the journal shows the write done,
  # and the difference of the two snapshots names the rows it changed.
  log=$(rcli log +79031230001)
  grep -q "write settings"$'\t'"done" <<<"$log" || { echo "smoke: the record has no finished settings write:"; echo "$log"; exit 1; }
  # The snapshot of the save (newest first in the log) and the one before it.
  snaps=($(awk -F'\t' '/^  @/ { id = substr($1, 3); if (saved) { print id; exit } if ($3 == "save") { saved = 1; print id } }' <<<"$log"))
  [ "${#snaps[@]}" -eq 2 ] || { echo "smoke: the record has no save with a snapshot before it:"; echo "$log"; exit 1; }
  changed=$(rcli diff "${snaps[1]}" "${snaps[0]}")
  grep -q "16" <<<"$changed" && grep -q "Gate open" <<<"$changed" ||
    { echo "smoke: the difference of ${snaps[1]} and ${snaps[0]} does not name rows 16 and 13:"; echo "$changed"; exit 1; }
  [ "$(cli numbers download | wc -l)" -eq 50 ] || { echo "smoke: numbers download failed"; exit 1; }
  cli numbers download -o "Z:$link.csv" && head -n 41 "$link.csv" >"$link-40.csv" &&  # the captions and 40 records
    cli --yes numbers save -i "Z:$link-40.csv" || { echo "smoke: numbers save failed"; exit 1; }
  [ "$(cli numbers download | wc -l)" -eq 40 ] || { echo "smoke: the saved list did not read back"; exit 1; }
  grep -q "write numbers"$'\t'"done" <<<"$(rcli log +79031230001)" || { echo "smoke: the record has no finished numbers write"; exit 1; }
  cli backup -o "Z:$link.pbk" && [ -s "$link.pbk" ] || { echo "smoke: backup failed"; exit 1; }
  rm -f "$link.pbk" "$link.csv" "$link-40.csv" "$rec" "$prefix_dir/dosdevices/com33"
  kill $sim
  trap - EXIT
  echo "smoke: the Windows command line read and saved settings and numbers, kept them in its record (log, diff) and made a backup over COM33"
  # The window on its built-in simulated module (a named pipe on Windows):
  # log in, read all three tables, and a picture of the result; then the same
  # with the module journal open over it.
  # Each run's data memory is bounded (4 GiB; ten runs of the journal's
  # picture peaked at 182 MB resident): a runaway fails the stage instead
  # of taking the machine. Each has 300 s: the paced reads take about a
  # minute, and a first run took over 120 s on two busy cores.
  for view in 1:build-windows/dist-smoke.png 3:build-windows/dist-journal.png; do
    shot=${view#*:}
    rm -f "$shot"
    (ulimit -d 4194304
     WINEDEBUG=-all timeout 300 xvfb-run -a -s "-screen 0 1280x800x24" wine build-windows/src/portiqa.exe --demo --tab "${view%%:*}" \
       --record "Z:$link-window.sqlite" --screenshot "Z:$PWD/$shot" >/dev/null 2>&1) || true
    [ -s "$shot" ] || { echo "smoke: the window's demo run left no picture ($shot)"; exit 1; }
  done
  rm -f "$link-window.sqlite"
  echo "smoke: the window logged in to its simulated module, read it and showed its journal (build-windows/dist-*.png)"
fi

if want package; then
  version=$(sed -n 's/^project(portiqa VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  dist=build-windows/dist
  rm -rf "$dist" && mkdir -p "$dist"
  cp build-windows/src/portiqa.exe build-windows/src/portiqa-cli.exe "$dist/"
  x86_64-w64-mingw32-strip "$dist"/*.exe
  for s in 16 32 48 256; do rsvg-convert -w $s -h $s packaging/portiqa.svg -o "$dist/icon-$s.png"; done
  /usr/bin/convert "$dist"/icon-{16,32,48,256}.png "$dist/portiqa.ico" && rm "$dist"/icon-*.png
  makensis -V2 -DVERSION="$version" -DBIN="$PWD/$dist" -DOUT="$PWD/$dist/portiqa-$version-setup.exe" packaging/windows/portiqa.nsi
  (cd "$dist" && zip -q "portiqa-$version-windows.zip" portiqa.exe portiqa-cli.exe portiqa.ico)
  ls -l "$dist"
fi
