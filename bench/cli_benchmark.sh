#!/usr/bin/env bash
# Times vellomar-convert on a 2048 x 2048 24-bit picture against cp of a file of the output's size
# and against a straightforward Python + Pillow script producing the same text, and reports the
# converter's peak memory. Needs hyperfine, GNU time and python3-pil (Debian packages).
# Usage: bench/cli_benchmark.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build/default}
convert=$build/src/cli/vellomar-convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$work/in.bmp" <<'PY'
import random, sys
from PIL import Image
random.seed(7)
side = 2048
Image.frombytes("RGB", (side, side), random.randbytes(side * side * 3)).save(sys.argv[1])
PY

cat >"$work/pillow.py" <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
w, h = im.size
px = im.load()
with open(sys.argv[2], "wb") as f:
    f.write(b"image %d %d 3\r\n" % (w, h))
    for y in range(h - 1, -1, -1):
        line = []
        for x in range(w):
            r, g, b = px[x, y]
            line.append("0x%x" % ((r << 16) | (g << 8) | b))
            if len(line) == 32:
                f.write((" ".join(line) + "\r\n").encode())
                line = []
        f.write(("".join(t + " " for t in line) + "\r\n").encode())
PY

"$convert" -o "$work/out.txt" "$work/in.bmp"
/usr/bin/python3 "$work/pillow.py" "$work/in.bmp" "$work/pillow.txt"
cmp "$work/out.txt" "$work/pillow.txt" && echo "Pillow script output is identical"
echo "output: $(stat -c %s "$work/out.txt") bytes"

hyperfine -N --warmup 2 --runs 15 \
  -n vellomar-convert "$convert -o $work/out.txt $work/in.bmp" \
  -n "cp of the output" "cp $work/pillow.txt $work/copy.txt"
hyperfine -N --runs 3 -n "python + pillow" "/usr/bin/python3 $work/pillow.py $work/in.bmp $work/pillow.txt"
/usr/bin/time -f "vellomar-convert peak RSS: %M KiB" "$convert" -o "$work/out.txt" "$work/in.bmp"
