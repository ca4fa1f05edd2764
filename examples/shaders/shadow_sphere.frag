// The sphere, lit from straight above.
varying vec3 normal;

void main() {
    float diffuse = max(normalize(normal).y, 0.0);
    gl_FragColor = vec4(vec3(0.85, 0.3, 0.2) * (0.3 + 0.7 * diffuse), 1.0);
}
