// Rings that travel outwards from `centre` as `time` goes from 0 to 1 (one
// period), fading with the distance.
uniform vec2 centre;
uniform float time;
uniform vec3 crest;
uniform vec3 trough;

void main() {
    float distance = length(gl_TexCoord[0].xy - centre);
    float wave = 0.5 + 0.5 * sin(40.0 * distance - 6.2831853 * time);
    float fade = 1.0 / (1.0 + 4.0 * distance);
    gl_FragColor = vec4(mix(trough, crest, wave * fade), 1.0);
}
