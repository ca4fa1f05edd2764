// The interpolated heat on a ramp: cold blue, red, then hot yellow.
varying float warmth;

void main() {
    vec3 cold = vec3(0.10, 0.15, 0.55);
    vec3 warm = vec3(0.90, 0.20, 0.10);
    vec3 hot = vec3(1.00, 0.95, 0.60);
    vec3 colour = warmth < 0.5 ? mix(cold, warm, warmth * 2.0) : mix(warm, hot, warmth * 2.0 - 1.0);
    gl_FragColor = vec4(colour, 1.0);
}
