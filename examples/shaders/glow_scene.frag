// Diffuse light from the upper left, a highlight four times brighter than
// white and a warm rim light three times brighter at the silhouette: values
// that only a float target keeps.
varying vec3 normal;

void main() {
    vec3 n = normalize(normal);
    vec3 light = normalize(vec3(-0.5, 0.6, -0.6));
    vec3 halfway = normalize(light + vec3(0.0, 0.0, -1.0));
    float diffuse = max(dot(n, light), 0.0);
    float highlight = pow(max(dot(n, halfway), 0.0), 24.0);
    float rim = pow(1.0 - abs(n.z), 2.0);
    vec3 colour = vec3(0.2, 0.45, 0.9) * (0.15 + 0.85 * diffuse) + vec3(4.0, 3.6, 3.0) * highlight +
                  vec3(3.0, 1.5, 0.6) * rim;
    gl_FragColor = vec4(colour, 1.0);
}
