#!/usr/bin/env bash
# Runs a Windows test program under Wine in the test environment; CTest's emulator.
source "$(dirname "${BASH_SOURCE[0]}")/test-env.sh"
wine "$@"
