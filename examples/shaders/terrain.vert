// A grid in the ground plane raised by a height texture read in the vertex
// shader, its normal from the neighbouring heights; placed by the host's
// matrices.
attribute vec3 position;
uniform sampler2D heights;
uniform float heightScale;
varying vec3 normal;
varying float height;

float heightAt(vec2 uv) { return texture2DLod(heights, uv, 0.0).r; }

void main() {
    vec2 uv = position.xy * 0.5 + 0.5;
    float step = 1.0 / 32.0;
    height = heightAt(uv);
    // The grid spans 2 units for 1 of the texture: a step of the texture is
    // twice as long on the ground.
    float slopeX = (heightAt(uv + vec2(step, 0.0)) - heightAt(uv - vec2(step, 0.0))) * heightScale / (4.0 * step);
    float slopeY = (heightAt(uv + vec2(0.0, step)) - heightAt(uv - vec2(0.0, step))) * heightScale / (4.0 * step);
    // The texture's rows run away from the viewer, along -z.
    normal = normalize(vec3(-slopeX, 1.0, slopeY));
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position.x, height * heightScale, -position.y, 1.0);
}
