# Sourced by the scripts that start programs: `started PID` records a process
# and `ended PID` forgets it once it has been waited for; whatever way the
# script exits, every process still recorded is ended and waited for.
started_processes=()

started() {
    started_processes+=("$1")
}

ended() {
    local kept=() process
    for process in "${started_processes[@]}"; do
        [ "$process" = "$1" ] || kept+=("$process")
    done
    started_processes=("${kept[@]}")
}

end_started() {
    local process
    for process in "${started_processes[@]}"; do
        kill "$process" 2>/dev/null || true
        wait "$process" 2>/dev/null || true
    done
}
trap end_started EXIT
