#!/bin/bash
# Start-up to first mapped window, in milliseconds, on an X display: measure.sh DISPLAY TITLE CMD...
display=$1; title=$2; shift 2
start=$(date +%s%N)
DISPLAY=$display "$@" >/dev/null 2>&1 &
pid=$!
until DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q "$title"; do sleep 0.005; done
end=$(date +%s%N)
kill $pid
wait $pid 2>/dev/null
echo $(( (end - start) / 1000000 ))
