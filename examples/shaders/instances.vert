// One small diamond, placed and coloured by the attributes of its instance.
attribute vec2 corner;
attribute vec2 offset;
attribute vec3 tint;
varying vec3 colour;

void main() {
    colour = tint;
    gl_Position = vec4(corner + offset, 0.0, 1.0);
}
