# Sourced by run.sh and test.sh: installs the Debian packages the project
# needs when any is missing, and helpers to run Windows programs under Wine.

# The line before the last is zlib for the Windows builds (the package for
# learning platforms is a zip) and unzip, which tests it; the last line is
# the browser page's module: the play model compiled to WebAssembly by
# clang with wasi-libc, its C++ headers and lld.
QUIZ_PACKAGES="cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine wine64 fonts-wine xvfb xauth imagemagick nlohmann-json3-dev zlib1g-dev libjpeg62-turbo-dev libstb-dev
  clang libclang-rt-14-dev python3
  libz-mingw-w64-dev unzip
  lld wasi-libc libc++-dev-wasm32 libclang-rt-14-dev-wasm32"

# ensure_packages [PACKAGE...]: those named, or QUIZ_PACKAGES.
ensure_packages() {
    local missing=()
    for package in ${*:-$QUIZ_PACKAGES}; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "error: missing packages and not root; install them: ${missing[*]}" >&2
        return 1
    fi
    # An index that is being synced can make 'update' report an error; only a
    # package that then fails to install stops the set-up.
    apt-get update || echo "warning: apt-get update reported an error; trying the install anyway" >&2
    if ! DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"; then
        echo "error: could not install: ${missing[*]}" >&2
        return 1
    fi
}

# Node.js runs the browser page's tests: Debian's nodejs and npm, unless a
# node of version 18 or later and its npm are on PATH already.
ensure_node() {
    local major
    major=$(node -p 'process.versions.node.split(".")[0]' 2>/dev/null || echo 0)
    if command -v npm >/dev/null 2>&1 && [ "$major" -ge 18 ]; then
        return 0
    fi
    ensure_packages nodejs npm
}

# Debian's Chromium, in which the browser tests play the page. When it
# cannot be installed those tests are skipped, each run saying so in one line.
QUIZ_BROWSER_PACKAGE="${QUIZ_BROWSER_PACKAGE:-chromium}"
QUIZ_BROWSER_LOG="${QUIZ_BROWSER_LOG:-${TMPDIR:-/tmp}/quizplayer-chromium-install.log}"
ensure_browser() {
    if dpkg-query -W -f='${Status}' "$QUIZ_BROWSER_PACKAGE" 2>/dev/null | grep -q "install ok installed"; then
        return 0
    fi
    echo "Installing $QUIZ_BROWSER_PACKAGE for the browser tests"
    if [ "$(id -u)" -ne 0 ] || ! DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        "$QUIZ_BROWSER_PACKAGE" >"$QUIZ_BROWSER_LOG" 2>&1; then
        echo "warning: $QUIZ_BROWSER_PACKAGE could not be installed (see $QUIZ_BROWSER_LOG); the browser tests are skipped" >&2
        return 1
    fi
}

# The JavaScript the browser tests use (puppeteer-core), at the versions
# tests/web/package-lock.json pins, without running any package's scripts;
# installed again only when the lock file changes.
ensure_web_test_modules() {
    local folder
    folder="$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/web" && pwd)"
    if [ "$folder/node_modules/.package-lock.json" -nt "$folder/package-lock.json" ]; then
        return 0
    fi
    if ! (cd "$folder" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error); then
        echo "warning: npm could not install the browser tests' modules; the browser tests are skipped" >&2
        return 1
    fi
}

# 32-bit Wine, so the i686 build that ships runs the Wine suites too. It
# needs Debian's i386 architecture and a machine that runs 32-bit programs,
# which not every x86_64 machine does. Whether it does is found out each
# time: by a tiny i386 program before anything is installed, then by the
# 32-bit Wine loader itself. When 32-bit Wine cannot be installed or cannot
# run, the i686 Wine suites are skipped with one warning line, never
# failed; what this function installed for nothing is removed again, a
# wine32 the machine already had is left alone (the 64-bit programs never
# go through its loader). QUIZ_NO_32BIT=1 makes the probes fail, to try that
# path on any machine; QUIZ_WINE32_PACKAGE names the package (a name that
# does not exist tries the failed install).
QUIZ_WINE32_PACKAGE="${QUIZ_WINE32_PACKAGE:-wine32:i386}"
QUIZ_WINE32_LOG="${QUIZ_WINE32_LOG:-${TMPDIR:-/tmp}/quizplayer-wine32-install.log}"
QUIZ_WINE_RUN="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/wine-run.sh"

# Whether the kernel runs an i386 program: a 93-byte ELF whose only
# instructions are exit(0) (mov eax,1; xor ebx,ebx; int 0x80).
runs_i386_program() {
    [ -n "${QUIZ_NO_32BIT:-}" ] && [ "$QUIZ_NO_32BIT" != 0 ] && return 1
    local probe status=0
    probe=$(mktemp) || return 1
    printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\61\333\315\200' >"$probe"
    chmod +x "$probe"
    timeout 10 sh -c 'exec "$0"' "$probe" 2>/dev/null || status=1
    rm -f "$probe"
    return "$status"
}

warn_no_wine32() {
    echo "warning: $1; the i686 Wine suites are skipped" >&2
}

ensure_wine32() {
    local reason
    if dpkg-query -W -f='${Status}' "$QUIZ_WINE32_PACKAGE" 2>/dev/null | grep -q "install ok installed"; then
        if ! reason=$("$QUIZ_WINE_RUN" --runs-32bit 2>&1); then
            warn_no_wine32 "this machine cannot run 32-bit programs ($reason)"
            return 1
        fi
        return 0
    fi
    if ! runs_i386_program; then
        warn_no_wine32 "this machine cannot run 32-bit programs (an i386 program does not start${QUIZ_NO_32BIT:+: QUIZ_NO_32BIT is set})"
        return 1
    fi
    local added=0 status=0 before
    : >"$QUIZ_WINE32_LOG"
    if [ "$(id -u)" -ne 0 ]; then
        echo "not root: cannot install $QUIZ_WINE32_PACKAGE" >>"$QUIZ_WINE32_LOG"
        status=1
    else
        echo "Installing 32-bit Wine ($QUIZ_WINE32_PACKAGE)"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            dpkg --add-architecture i386 >>"$QUIZ_WINE32_LOG" 2>&1 && added=1 || status=1
        fi
        before=$(dpkg-query -W -f='${Package}:${Architecture} ${Status}\n' 2>/dev/null | grep ' installed$' | cut -d' ' -f1 | sort)
        if [ "$status" -eq 0 ]; then
            apt-get update >>"$QUIZ_WINE32_LOG" 2>&1 || true
            DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
                "$QUIZ_WINE32_PACKAGE" >>"$QUIZ_WINE32_LOG" 2>&1 || status=1
        fi
        if [ "$status" -eq 0 ] && ! reason=$("$QUIZ_WINE_RUN" --runs-32bit 2>&1); then
            # Installed, but its loader does not run here: every package this
            # install brought goes again.
            local brought
            brought=$(comm -13 <(echo "$before") <(dpkg-query -W -f='${Package}:${Architecture} ${Status}\n' 2>/dev/null | grep ' installed$' | cut -d' ' -f1 | sort))
            echo "32-bit Wine does not run here ($reason); removing:" $brought >>"$QUIZ_WINE32_LOG"
            # shellcheck disable=SC2086
            [ -n "$brought" ] && DEBIAN_FRONTEND=noninteractive apt-get purge -y --allow-remove-essential $brought >>"$QUIZ_WINE32_LOG" 2>&1 || true
            warn_no_wine32 "this machine cannot run 32-bit programs ($reason; 32-bit Wine removed again)"
            status=2
        fi
        # An architecture added for nothing is taken back, so the machine's
        # next 'apt-get update' does not fetch its lists.
        if [ "$status" -ne 0 ] && [ "$added" -eq 1 ]; then
            dpkg --remove-architecture i386 >>"$QUIZ_WINE32_LOG" 2>&1 || true
        fi
    fi
    if [ "$status" -eq 1 ]; then
        warn_no_wine32 "32-bit Wine could not be installed (see $QUIZ_WINE32_LOG)"
    fi
    [ "$status" -eq 0 ]
}

# Starts a private X server when there is no display, and one persistent
# wineserver for the whole run, both stopped by stop_display.
QUIZ_XVFB_PID=""
start_display() {
    export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-quizplayer}"
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
    if [ -z "${DISPLAY:-}" ]; then
        local number=99
        while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do number=$((number + 1)); done
        Xvfb ":${number}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        QUIZ_XVFB_PID=$!
        export DISPLAY=":${number}"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${number}" ] && break; sleep 0.1; done
    fi
    [ -f "$WINEPREFIX/system.reg" ] || echo "Creating the Wine prefix $WINEPREFIX"
    "$QUIZ_WINE_RUN" --prepare
    # One server for the whole run, its services started with no output
    # attached (see wine-run.sh).
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    if ! timeout 30 wineserver -p </dev/null >/dev/null 2>&1; then
        echo "error: the Wine server did not start within 30 s" >&2
        return 1
    fi
    "$QUIZ_WINE_RUN" --prepare
}

stop_display() {
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    [ -n "$QUIZ_XVFB_PID" ] && kill "$QUIZ_XVFB_PID" 2>/dev/null || true
    QUIZ_XVFB_PID=""
}
