#!/usr/bin/env python3
"""Draws the speed line that `lumaro-render --run` writes as an SVG picture for the README.

    build/lumaro-render Button22 Button16 Button31 tick tick --run - | docs/fahrt_picture.py > docs/fahrt-example.svg

The picture has the view's axis (0, 40, 60, 100, 160 km/h) and x as on the canvas (1 px = 10 m).
"""

import json
import sys

TOP, BOTTOM, LINE_SPEED, WIDTH, HEIGHT = 30, 150, 160, 1016, 200
COLUMNS = {50: "Vorsignal", 150: "Einfahrsignal", 250: "Sperrsignal", 350: "Zs 3", 450: "hohes Sperrsignal",
           550: "Zwischensignal", 650: "Ausfahrsignal", 750: "Vorsignal", 850: "Zs 6", 950: "Blocksignal"}


def y(kmh):
    return BOTTOM - kmh * (BOTTOM - TOP) / LINE_SPEED


def main():
    line = json.load(sys.stdin)
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
           f'viewBox="0 0 {WIDTH} {HEIGHT}" font-family="sans-serif" font-size="11">',
           f'<rect width="{WIDTH}" height="{HEIGHT}" fill="white"/>']
    for kmh in (0, 40, 60, 100, 160):
        out.append(f'<line x1="0" x2="1000" y1="{y(kmh)}" y2="{y(kmh)}" stroke="#ccc" stroke-dasharray="1 2"/>')
        out.append(f'<text x="2" y="{y(kmh) - 2}">{kmh}</text>')
    for x, name in COLUMNS.items():
        out.append(f'<line x1="{x}" x2="{x}" y1="{BOTTOM + 4}" y2="{BOTTOM + 12}" stroke="black"/>')
        out.append(f'<text x="{x}" y="{BOTTOM + 26}" text-anchor="middle" font-size="10">{name}</text>')
    previous = None
    for piece in line["pieces"]:
        a = (piece["from"], y(piece["from_kmh"]))
        b = (piece["to"], y(piece["to_kmh"]))
        ramp = piece["from_kmh"] != piece["to_kmh"]
        if previous and previous[1] != a[1]:
            out.append(f'<line x1="{a[0]}" x2="{a[0]}" y1="{previous[1]}" y2="{a[1]}" stroke="#777"/>')
        colour = "#dc6e00" if ramp else ("#c80000" if piece["from_kmh"] == 0 else "#005a00")
        dash = ' stroke-dasharray="5 3"' if ramp else ""
        out.append(f'<line x1="{a[0]}" y1="{a[1]}" x2="{b[0]}" y2="{b[1]}" stroke="{colour}" '
                   f'stroke-width="{2 if ramp else 3}"{dash}/>')
        if not ramp and piece["to"] - piece["from"] >= 26:
            out.append(f'<text x="{(a[0] + b[0]) / 2}" y="{a[1] - 5}" text-anchor="middle" fill="{colour}">'
                       f'{piece["from_kmh"]:g}</text>')
        previous = b
    out.append(f'<text x="1000" y="{HEIGHT - 4}" text-anchor="end" font-size="10">km/h über x; '
               f'Zuglänge {line["train_length"] * 10} m; schematisch: 160 km/h, 10 m je Pixel</text>')
    out.append("</svg>")
    print("\n".join(out))


if __name__ == "__main__":
    main()
