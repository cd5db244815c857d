# A private JACK server for scripts (dummy backend, no real-time); source this
# file, then:
#   jack_start [NAME]   starts jackd under a name of its own (NAME, or
#                       korvo-<pid>-<random>), waits until it answers, exports
#                       JACK_DEFAULT_SERVER, JACK_NO_START_SERVER=1 and
#                       KORVO_MIDI_API=jack, and sets JACK_PID
#   jack_stop           stops it; stop the server's clients first
jack_start() {
    export JACK_DEFAULT_SERVER=${1:-korvo-$$-$RANDOM} JACK_NO_START_SERVER=1 KORVO_MIDI_API=jack
    jackd --sync --no-realtime --name "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 32 -C 0 -P 0 >/dev/null 2>&1 &
    JACK_PID=$!
    if ! jack_wait --server "$JACK_DEFAULT_SERVER" --wait --timeout 15 >/dev/null 2>&1; then
        echo "jackd did not start" >&2
        jack_stop
        return 1
    fi
}

jack_stop() {
    if [ -n "${JACK_PID:-}" ]; then
        kill "$JACK_PID" 2>/dev/null || true
        wait "$JACK_PID" 2>/dev/null || true
        JACK_PID=""
    fi
}
