// Blinn-Phong lighting per pixel from one directional light, the viewer
// looking down -z, over a checker of 12 meridians and 6 parallels.
uniform vec3 lightDirection;
uniform vec3 colours[2];
uniform float shininess;
varying vec3 normal;
varying vec2 surface;

void main() {
    vec3 n = normalize(normal);
    vec3 l = normalize(lightDirection);
    vec3 h = normalize(l + vec3(0.0, 0.0, 1.0));
    float diffuse = max(dot(n, l), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), shininess) : 0.0;
    float checker = mod(floor(surface.x * 12.0) + floor(surface.y * 6.0), 2.0);
    vec3 base = mix(colours[0], colours[1], checker);
    gl_FragColor = vec4(base * (0.15 + 0.85 * diffuse) + vec3(specular), 1.0);
}
