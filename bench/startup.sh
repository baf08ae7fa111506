#!/usr/bin/env bash
# Runs the start-up benchmark under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
exec xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 bench/startup.py build/bench/bench
