# shellcheck shell=bash
# Helpers shared by the project's scripts. Sourced, never run directly.

# Run a command as root: directly when we are root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "error: need root (or sudo) to run: $*" >&2
        return 1
    fi
}

# Debian packages needed to build the client and run its tests against a
# local PostgreSQL 15. (free_port uses ss when present, /dev/tcp otherwise.)
project_packages() {
    echo cmake ninja-build g++ pkg-config \
        qt6-base-dev qt6-multimedia-dev libqt6opengl6-dev libgl-dev \
        libpq-dev postgresql-15 postgresql-client-15 openssl \
        googletest libgtest-dev libgmock-dev ca-certificates
}

_pkg_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

_APT_UPDATED=${_APT_UPDATED:-0}

# ensure_packages PKG... : install whichever of PKG are missing. Silent when
# all goes well; on failure the apt output is shown.
ensure_packages() {
    local missing=() pkg log rc=0
    for pkg in "$@"; do
        _pkg_installed "$pkg" || missing+=("$pkg")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0

    log=$(mktemp)
    if [ "$_APT_UPDATED" != 1 ]; then
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update \
            </dev/null >"$log" 2>&1 || rc=$?
        if [ "$rc" -eq 0 ]; then
            _APT_UPDATED=1
        else
            echo "error: apt-get update failed:" >&2
            cat "$log" >&2
            rm -f "$log"
            return "$rc"
        fi
    fi
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}" \
        </dev/null >"$log" 2>&1 || rc=$?
    if [ "$rc" -ne 0 ]; then
        echo "error: could not install: ${missing[*]}" >&2
        cat "$log" >&2
        rm -f "$log"
        return "$rc"
    fi
    rm -f "$log"
}

# True when something accepts TCP connections on 127.0.0.1:PORT.
_port_in_use() {
    local p=$1
    if command -v ss >/dev/null 2>&1; then
        [ -n "$(ss -ltnH "sport = :$p" 2>/dev/null)" ] && return 0
    fi
    # Connection refused means nobody listens there.
    timeout 2 bash -c "exec 3<>/dev/tcp/127.0.0.1/$p" 2>/dev/null
}

# free_port [EXCLUDE...] : print a random TCP port in 20000-40000 on which
# nothing listens on 127.0.0.1, other than any of EXCLUDE.
free_port() {
    local p tries=0 x taken
    while [ "$tries" -lt 200 ]; do
        tries=$((tries + 1))
        p=$((20000 + RANDOM % 20001))
        taken=0
        for x in "$@"; do
            [ "$x" = "$p" ] && taken=1
        done
        [ "$taken" = 1 ] && continue
        _port_in_use "$p" && continue
        echo "$p"
        return 0
    done
    echo "error: no free TCP port found in 20000-40000" >&2
    return 1
}
