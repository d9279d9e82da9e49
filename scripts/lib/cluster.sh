# shellcheck shell=bash
# Throw-away PostgreSQL 15 clusters for the test suite. Sourced, never run
# directly. Layout of a cluster directory DIR:
#   DIR/data   data directory (also holds the TLS key and certificate)
#   DIR/log    server log
#   DIR        unix socket directory
# As root the server runs as the `postgres` system user, since initdb and
# postgres refuse to run as root; otherwise it runs as the current user.

PG_BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}

# Repository root, used to find the contract SQL loaded into the templates.
CLUSTER_REPO_ROOT=${CLUSTER_REPO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}

# Run a command without any PG* variable from the caller's environment, so a
# stray PGHOST or PGDATABASE cannot point our tools somewhere else.
_pg_clean() {
    local unset_args=() v
    for v in $(compgen -e); do
        case $v in PG_BIN) ;; PG*) unset_args+=(-u "$v") ;; esac
    done
    env "${unset_args[@]}" "$@"
}

# Run a command as the user owning the server, from a directory that user
# can enter (some tools warn when the cwd is unreadable, e.g. /root).
_as_pg() {
    if [ "$(id -u)" -eq 0 ]; then
        (cd / && _pg_clean runuser -u postgres -- "$@")
    else
        (cd / && _pg_clean "$@")
    fi
}

_cluster_locale() {
    if locale -a 2>/dev/null | grep -qiE '^c\.utf-?8$'; then
        echo C.UTF-8
    else
        echo C
    fi
}

# cluster_start DIR PORT SSL(on|off)
cluster_start() {
    local dir=$1 port=$2 ssl=$3 data log out
    data=$dir/data
    log=$dir/log

    mkdir -p "$dir"
    chmod 755 "$dir"
    if [ "$(id -u)" -eq 0 ]; then
        if ! id postgres >/dev/null 2>&1; then
            useradd --system --home-dir /var/lib/postgresql --shell /bin/bash postgres
        fi
        chown postgres: "$dir"
    fi

    if ! out=$(_as_pg "$PG_BIN/initdb" -D "$data" -U postgres \
        --auth-local=trust --auth-host=scram-sha-256 \
        --encoding=UTF8 --locale="$(_cluster_locale)" 2>&1); then
        echo "error: initdb failed in $data:" >&2
        echo "$out" >&2
        return 1
    fi

    if [ "$ssl" = on ]; then
        if ! out=$(_as_pg openssl req -x509 -newkey rsa:2048 -nodes -days 2 \
            -subj /CN=localhost \
            -keyout "$data/server.key" -out "$data/server.crt" 2>&1); then
            echo "error: could not make a TLS certificate:" >&2
            echo "$out" >&2
            return 1
        fi
        chmod 600 "$data/server.key"
    fi

    # Appended settings override initdb's defaults (last one wins).
    {
        echo
        echo "# throw-away test server"
        echo "listen_addresses = '127.0.0.1'"
        echo "port = $port"
        echo "unix_socket_directories = '$dir'"
        echo "password_encryption = 'scram-sha-256'"
        echo "max_connections = 100"
        echo "shared_buffers = 128MB"
        # Durability is pointless for data deleted after the run.
        echo "fsync = off"
        echo "synchronous_commit = off"
        echo "full_page_writes = off"
        if [ "$ssl" = on ]; then
            echo "ssl = on"
            echo "ssl_cert_file = '$data/server.crt'"
            echo "ssl_key_file = '$data/server.key'"
        else
            echo "ssl = off"
        fi
    } >>"$data/postgresql.conf"

    # "host" matches both TLS and plain TCP connections.
    cat >"$data/pg_hba.conf" <<HBA
local all all trust
host  all all 127.0.0.1/32 scram-sha-256
HBA

    if ! _as_pg "$PG_BIN/pg_ctl" -D "$data" -w -t 60 -l "$log" start >/dev/null 2>&1; then
        echo "error: PostgreSQL failed to start in $data (port $port); server log:" >&2
        cat "$log" >&2 || true
        return 1
    fi
}

# cluster_resume DIR PORT : start a cluster made earlier by cluster_start,
# listening on PORT this time.
cluster_resume() {
    local dir=$1 port=$2
    if ! _as_pg "$PG_BIN/pg_ctl" -D "$dir/data" -w -t 60 -l "$dir/log" -o "-p $port" start >/dev/null 2>&1; then
        echo "error: PostgreSQL failed to start in $dir/data (port $port); server log:" >&2
        tail -n 20 "$dir/log" >&2 || true
        return 1
    fi
}

# cluster_stop DIR : stop the server at once; fine if it is not running.
cluster_stop() {
    local data=$1/data
    [ -f "$data/postmaster.pid" ] || return 0
    _as_pg "$PG_BIN/pg_ctl" -D "$data" -m fast -w stop >/dev/null 2>&1 || true
}

# cluster_psql DIR PORT [psql args...] : psql as superuser over the socket.
cluster_psql() {
    local dir=$1 port=$2
    shift 2
    _pg_clean "$PG_BIN/psql" -h "$dir" -p "$port" -U postgres -X -q -v ON_ERROR_STOP=1 "$@"
}

# cluster_prepare_roles DIR PORT PASSWORD : the login role the tests use. It
# may create databases but is no superuser, as in production.
cluster_prepare_roles() {
    local dir=$1 port=$2 password=$3
    cluster_psql "$dir" "$port" -d postgres -v pw="$password" <<'SQL'
CREATE ROLE nuv LOGIN CREATEDB NOSUPERUSER NOCREATEROLE PASSWORD :'pw';
SQL
}

# cluster_make_templates DIR PORT : template databases owned by nuv, each
# holding one contract schema, so tests can createdb -T them quickly.
cluster_make_templates() {
    local dir=$1 port=$2 name sql
    local -A sources=(
        [tpl_company]=data/contract/company.sql
        [tpl_registry]=data/contract/registry.sql
        [tpl_general]=data/contract/general.sql
    )
    for name in tpl_company tpl_registry tpl_general; do
        sql=$CLUSTER_REPO_ROOT/${sources[$name]}
        if [ ! -r "$sql" ]; then
            echo "error: missing $sql" >&2
            return 1
        fi
        cluster_psql "$dir" "$port" -d postgres \
            -c "CREATE DATABASE $name OWNER nuv" || return 1
        # Loaded as nuv so every object belongs to the role the client uses.
        _pg_clean "$PG_BIN/psql" -h "$dir" -p "$port" -U nuv -d "$name" \
            -X -q -v ON_ERROR_STOP=1 -f "$sql" >/dev/null || {
            echo "error: loading $sql into $name failed" >&2
            return 1
        }
        cluster_psql "$dir" "$port" -d postgres \
            -c "ALTER DATABASE $name IS_TEMPLATE true" || return 1
    done
}
