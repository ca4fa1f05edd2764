#!/usr/bin/env bash
# The examples and the script tests under older drivers, as Mesa emulates
# them by removing one extension from the context (which lowers its version
# too), against the same scripts on the full driver:
#   driver_profiles.sh NATIVE_BUILD_DIR
# In each profile the context must be the one wanted (Mesa ignores an
# override it cannot honour, or drops every extension), every script must end
# normally with the full driver's pictures, and where a picture differs or a
# script stops, the script's output must name why: a log or a warning of the
# plugin's, or, for a test script that expects what the full driver does, the
# expectation the profile cannot meet.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
host=$build/host/corvanta_host
plugin=$build/corvanta_shader.so
png_check=$build/tests/png_check
work=$build/driver_profiles
rm -rf "$work"
mkdir -p "$work"
# The driver's own threads end the process before the leak checker can.
export ASAN_OPTIONS=detect_leaks=0

# Each profile: the extension removed and the version the context then has.
profiles=(
  "GL_ARB_vertex_shader 1.5"
  "GL_ARB_framebuffer_object 2.1"
  "GL_ARB_texture_float 2.1"
  "GL_ARB_draw_instanced 3.0"
  "GL_ARB_instanced_arrays 3.2"
  "GL_EXT_framebuffer_multisample 4.5"
)

# What a script says when a profile changes its pictures or stops it:
# PROFILE|SCRIPT|text its output must hold.
explained=(
  "GL_ARB_vertex_shader|demo|vertex shader compiled: 0"
  "GL_ARB_vertex_shader|bunny|the driver created no shader object"
  "GL_ARB_vertex_shader|lit_sphere|the driver created no shader object"
  "GL_ARB_vertex_shader|shadow|the driver created no shader object"
  "GL_ARB_vertex_shader|instances|the driver created no shader object"
  "GL_ARB_vertex_shader|glow|built: 0 "
  "GL_ARB_vertex_shader|heat_hexagon|heat is attribute -1"
  "GL_ARB_vertex_shader|colour_grading|the driver created no shader object"
  "GL_ARB_vertex_shader|deferred|the driver created no shader object"
  "GL_ARB_vertex_shader|skybox|the driver created no shader object"
  "GL_ARB_vertex_shader|terrain|the driver created no shader object"
  "GL_ARB_vertex_shader|textures|the driver created no shader object"
  "GL_ARB_vertex_shader|shaders|shaders.script:9: expected 1, got 0"
  "GL_ARB_vertex_shader|render_targets|the driver created no shader object"
  "GL_ARB_framebuffer_object|render_targets|render_targets.script:71: expected 4, got 0"
  "GL_ARB_texture_float|glow|the driver does not accept colour format GL_RGBA16F_ARB (34842)"
  "GL_ARB_texture_float|render_targets|the driver does not accept colour format GL_RGBA16F_ARB (34842)"
  "GL_ARB_texture_float|deferred|the driver does not accept colour format GL_RGBA32F_ARB (34836)"
  "GL_ARB_texture_float|terrain|the driver does not accept format GL_LUMINANCE32F_ARB (34840)"
  "GL_ARB_texture_float|textures|the driver does not accept format GL_RGBA32F_ARB (34836)"
  "GL_ARB_draw_instanced|instances|DrawMeshInstanced: instanced drawing is not supported"
  "GL_ARB_instanced_arrays|instances|DrawMeshInstanced: instanced drawing is not supported"
  "GL_EXT_framebuffer_multisample|antialiased|samples need GL_EXT_framebuffer_multisample and GL_EXT_framebuffer_blit"
  "GL_EXT_framebuffer_multisample|render_targets|render_targets.script:71: expected 4, got 0"
)

scripts=("$top"/examples/*.script "$top"/tests/scripts/shaders.script "$top"/tests/scripts/meshes.script
  "$top"/tests/scripts/render_targets.script "$top"/tests/scripts/textures.script)
options_of() {
  case $(basename "$1") in
    ripples.script) echo --size 128x128 ;;
    render_targets.script) echo --size 96x96 ;;
    textures.script) echo --size 64x64 ;;
  esac
}

# Runs every script with the override given ("" for the full driver) into
# $work/NAME/SCRIPT/, its status in status.txt and its output in output.txt.
run_all() {
  local override=$1 name=$2 script out
  for script in "${scripts[@]}"; do
    out=$work/$name/$(basename "$script" .script)
    mkdir -p "$out"
    # shellcheck disable=SC2046
    MESA_EXTENSION_OVERRIDE=$override timeout 60 "$host" --output "$out" $(options_of "$script") "$plugin" \
      "$script" >"$out/output.txt" 2>&1
    echo $? >"$out/status.txt"
  done
}

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Every run first, two at a time (each script is one process on one core),
# then the checks.
run_all "" full &
for profile in "${profiles[@]}"; do
  read -r extension version <<<"$profile"
  [ "$(jobs -rp | wc -l)" -lt 2 ] || wait -n
  run_all "-$extension" "$extension" &
done
wait

for script in "$work"/full/*; do
  [ "$(cat "$script/status.txt")" = 0 ] || fail "full driver: $(basename "$script") ended with $(cat "$script/status.txt")"
done

echo 'print(get_string(GL_VERSION))
print(get_string(GL_EXTENSIONS))' >"$work/context.script"
for profile in "${profiles[@]}"; do
  read -r extension version <<<"$profile"
  # The context Mesa made: the version wanted, without the extension, with
  # the others.
  context=$(MESA_EXTENSION_OVERRIDE=-$extension "$host" "$plugin" "$work/context.script" 2>&1)
  if [[ "$(head -n 1 <<<"$context")" != "$version"* ]] || grep -qw -- "$extension" <<<"$context" ||
    ! grep -qw GL_ARB_multitexture <<<"$context"; then
    fail "$extension: the context is not GL $version without it: $(head -n 1 <<<"$context")"
    continue
  fi
  for out in "$work/$extension"/*; do
    script=$(basename "$out")
    reason=""
    for line in "${explained[@]}"; do
      [[ "$line" == "$extension|$script|"* ]] && reason=${line#"$extension|$script|"}
    done
    status=$(cat "$out/status.txt")
    same=yes
    for picture in "$work/full/$script"/*.png; do
      [ -e "$picture" ] || continue
      [ -e "$out/$(basename "$picture")" ] && "$png_check" "$out/$(basename "$picture")" "like:$picture" >/dev/null ||
        same=no
    done
    if [ -z "$reason" ]; then
      [ "$status" = 0 ] || fail "$extension: $script ended with $status: $(tail -n 2 "$out/output.txt")"
      [ $same = yes ] || fail "$extension: $script drew other pictures and said nothing expected of it"
    else
      grep -qF -- "$reason" "$out/output.txt" || fail "$extension: $script did not say '$reason'"
      # An example ends normally; a test script may stop at the expectation.
      [ "$status" = 0 ] || { [ "$status" = 1 ] && [ ! -e "$top/examples/$script.script" ]; } ||
        fail "$extension: $script ended with $status"
      echo "$extension: $script: $reason"
    fi
  done
done
echo "driver profiles: ${#profiles[@]} profiles of ${#scripts[@]} scripts each, $failures failures"
[ "$failures" = 0 ]
