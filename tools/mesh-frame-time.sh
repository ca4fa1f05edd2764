#!/usr/bin/env bash
# Times a frame of a grid of 10,082 triangles (72 x 72 vertices) drawn through
# the reference host and the plugin, two ways: by immediate-mode script calls
# (glBegin, a glVertex3f call a vertex, glEnd) and by one "DrawMesh" of a mesh
# made once. Each script draws FRAMES frames (3 by default: the host reads at
# most 4 MiB of script), each saved (which waits for the drawing); a script
# of as many empty saved frames is the baseline taken off.
#   mesh-frame-time.sh HOST PLUGIN [FRAMES]
set -euo pipefail
host=$1 plugin=$2 frames=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" "$frames" <<'PY'
import sys
work, frames = sys.argv[1], int(sys.argv[2])
n = 72
def corner(i):
    row, column = divmod(i, n)
    return -1 + 2.0 * column / (n - 1), -1 + 2.0 * row / (n - 1)
order = []
for row in range(n - 1):
    for column in range(n - 1):
        c = row * n + column
        order += [c, c + 1, c + n + 1, c, c + n + 1, c + n]
vertices = "".join("glVertex3f(%.4f, %.4f, 0)\n" % corner(i) for i in order)
frame = 'clear(0, 0, 0)\n%ssave_png("frame.png")\n'
with open(work + "/immediate.script", "w") as f:
    f.write(frame % ("glBegin(GL_TRIANGLES)\n" + vertices + "glEnd()\n") * frames)
with open(work + "/mesh.script", "w") as f:
    f.write('grid = CreateMesh(grid_mesh(72, "vertex_count"))\n'
            'MeshAttribute(grid, "gl_Vertex", 3, grid_mesh(72, "positions"))\n'
            'MeshIndices(grid, grid_mesh(72, "index_count"), grid_mesh(72, "indices"))\n'
            + frame % "DrawMesh(grid, GL_TRIANGLES)\n" * frames)
with open(work + "/empty.script", "w") as f:
    f.write(frame % "" * frames)
PY
# The best of three runs, in microseconds.
seconds() {
  local began ended best=
  for run in 1 2 3; do
    began=$(date +%s%N)
    "$host" --output "$work" "$plugin" "$work/$1.script" >/dev/null
    ended=$(date +%s%N)
    if [ -z "$best" ] || [ $(( (ended - began) / 1000 )) -lt "$best" ]; then best=$(( (ended - began) / 1000 )); fi
  done
  echo "$best"
}
empty=$(seconds empty)
for way in immediate mesh; do
  total=$(seconds $way)
  echo "$way: $(( (total - empty) / frames )) us a frame ($frames frames, $(( total / 1000 )) ms in all, empty frames $(( empty / 1000 )) ms)"
done
