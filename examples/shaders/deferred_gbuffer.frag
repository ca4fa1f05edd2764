// Three outputs in one pass: the position, the normal and the surface's
// colour, each into a colour attachment of its own.
uniform vec3 albedo;
varying vec3 position;
varying vec3 normal;

void main() {
    gl_FragData[0] = vec4(position, 1.0);
    gl_FragData[1] = vec4(normalize(normal), 1.0);
    gl_FragData[2] = vec4(albedo, 1.0);
}
