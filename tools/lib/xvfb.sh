# A private X screen for scripts; source this file, then:
#   xvfb_start [WxHxD]   starts Xvfb on a display number no other X server holds
#                        (Xvfb picks it and says which when it is ready), exports
#                        DISPLAY and sets XVFB_PID; 1280x1024x24 unless told
#   xvfb_stop            stops it (safe to call twice or without a start)
xvfb_start() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number=""
    for _ in $(seq 100); do
        number=$(head -n 1 "$number_file")
        [ -n "$number" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$number_file"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        xvfb_stop
        return 1
    fi
    export DISPLAY=:$number
}

xvfb_stop() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
