// The bunny turned about its upright axis and scaled into the picture, seen
// straight on; its normals turn with it for lighting per pixel.
attribute vec3 position;
attribute vec3 normal;
uniform vec3 centre;
uniform float scale;
uniform float turn;
varying vec3 turnedNormal;

void main() {
    float c = cos(turn), s = sin(turn);
    mat3 rotation = mat3(c, 0.0, -s, 0.0, 1.0, 0.0, s, 0.0, c);
    vec3 p = rotation * ((position - centre) * scale);
    turnedNormal = rotation * normal;
    gl_Position = vec4(p.x, p.y, -0.5 * p.z, 1.0);
}
