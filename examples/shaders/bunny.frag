// Blinn-Phong lighting per pixel from one directional light, the viewer
// looking down -z.
uniform vec3 lightDirection;
uniform vec3 colour;
varying vec3 turnedNormal;

void main() {
    vec3 n = normalize(turnedNormal);
    vec3 l = normalize(lightDirection);
    vec3 h = normalize(l + vec3(0.0, 0.0, 1.0));
    float diffuse = max(dot(n, l), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), 30.0) : 0.0;
    gl_FragColor = vec4(colour * (0.15 + 0.85 * diffuse) + vec3(0.4 * specular), 1.0);
}
