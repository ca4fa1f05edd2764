// A coloured sphere lit from the upper left, with a highlight.
uniform vec3 colour;
varying vec3 normal;

void main() {
    vec3 n = normalize(normal);
    vec3 l = normalize(vec3(-0.5, 0.6, 0.6));
    float diffuse = max(dot(n, l), 0.0);
    float specular = pow(max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0), 40.0);
    gl_FragColor = vec4(colour * (0.12 + 0.88 * diffuse) + vec3(0.5 * specular), 1.0);
}
