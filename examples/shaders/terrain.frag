// Grass low, rock on the slopes and higher up, snow on the tops, lit by the
// sun.
uniform vec3 sunDirection;
varying vec3 normal;
varying float height;

void main() {
    vec3 n = normalize(normal);
    vec3 grass = vec3(0.25, 0.48, 0.18), rock = vec3(0.48, 0.42, 0.36), snow = vec3(0.95, 0.96, 1.0);
    vec3 colour = mix(grass, rock, smoothstep(0.3, 0.5, height * 0.6 + (1.0 - n.y) * 1.2));
    colour = mix(colour, snow, smoothstep(0.62, 0.7, height));
    float light = 0.25 + 0.75 * max(dot(n, normalize(sunDirection)), 0.0);
    gl_FragColor = vec4(colour * light, 1.0);
}
