# shellcheck shell=bash
# The demo database, shared by scripts/demo and scripts/screenshots. Sourced
# after common.sh and cluster.sh.

DEMO_COMPANY="Demo Depozit SRL"
DEMO_OPERATOR=ana
DEMO_PASSWORD=1234
DEMO_DB_PASSWORD=demo
if [ "$(id -u)" -eq 0 ]; then
    DEMO_DIR=${MWMSKT_DEMO_DIR:-/var/lib/mwmskt-demo}
else
    DEMO_DIR=${MWMSKT_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/mwmskt-demo}
fi
DEMO_PORT=

# Playing MP3 files through Qt Multimedia's GStreamer back-end.
demo_packages() {
    echo gstreamer1.0-plugins-good gstreamer1.0-alsa gstreamer1.0-pulseaudio
}

demo_reset() {
    cluster_stop "$DEMO_DIR"
    rm -rf "$DEMO_DIR"
}

# demo_start : starts the demo server, making and loading it on first use.
demo_start() {
    local fresh=0
    [ -d "$DEMO_DIR/data" ] || fresh=1
    mkdir -p "$DEMO_DIR"
    DEMO_PORT=$(free_port)
    if [ "$fresh" = 1 ]; then
        cluster_start "$DEMO_DIR" "$DEMO_PORT" off
        cluster_prepare_roles "$DEMO_DIR" "$DEMO_PORT" "$DEMO_DB_PASSWORD"
        cluster_make_templates "$DEMO_DIR" "$DEMO_PORT"
        cluster_psql "$DEMO_DIR" "$DEMO_PORT" -d postgres \
            -c "CREATE DATABASE nuv_mob TEMPLATE tpl_registry OWNER nuv" \
            -c "CREATE DATABASE nuv_gen TEMPLATE tpl_general OWNER nuv" \
            -c "CREATE DATABASE demo_firma TEMPLATE tpl_company OWNER nuv"
        _pg_clean "$PG_BIN/psql" -h "$DEMO_DIR" -p "$DEMO_PORT" -U nuv -d nuv_mob -X -q -v ON_ERROR_STOP=1 \
            -v port="$DEMO_PORT" -v company_db=demo_firma -f "$CLUSTER_REPO_ROOT/demo/seed.sql" >/dev/null
    else
        cluster_resume "$DEMO_DIR" "$DEMO_PORT"
        # The port changes from run to run; the registry must say where to go.
        cluster_psql "$DEMO_DIR" "$DEMO_PORT" -d nuv_mob -c "UPDATE m_firma SET port = $DEMO_PORT"
    fi
}

demo_stop() {
    cluster_stop "$DEMO_DIR"
}

# demo_write_settings FILE : the deployment settings pointing at the demo.
demo_write_settings() {
    cat >"$1" <<INI
; Written by scripts/demo: the demo database and the demo's own sounds.
[database]
password=$DEMO_DB_PASSWORD
centralHost=127.0.0.1
centralPort=$DEMO_PORT

[sounds]
url=file://$CLUSTER_REPO_ROOT/demo/sounds/

[maker]
webAddress=https://www.example.com/
INI
}
