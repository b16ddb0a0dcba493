#!/usr/bin/env python3
"""Fails when a kelvane-bench JSON report lacks a figure; values are not judged."""
import json
import sys

FIGURES = [
    "floorFrameMs", "gameFrameMs.median", "gameFrameMs.p95", "gameFrameRatio", "menuFrameRatio",
    "editorFrameRatio", "drawCallsPerGameFrame", "startupMs", "levelLoadMs", "peakRssMiB",
    "logicUsPerFrame", "allocsPerGameFrame", "idleMenuCpuPercent", "idlePausedCpuPercent",
]


def figure(report, key):
    value = report
    for part in key.split("."):
        if not isinstance(value, dict) or part not in value:
            return None
        value = value[part]
    return value if isinstance(value, (int, float)) and not isinstance(value, bool) else None


def main(path):
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    missing = [key for key in FIGURES if figure(report, key) is None]
    for key in missing:
        print(f"kelvane-bench report {path}: no figure for {key}", file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
