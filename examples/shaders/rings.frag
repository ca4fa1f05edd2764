// Four coloured quadrants, shaded towards the top, with rings drawn over them
// around a centre.
uniform vec3 palette[4];   // the quadrants: lower left, lower right, upper left, upper right
uniform vec2 centre;       // of the rings, in texture coordinates
uniform float ringWidth;   // distance from one ring to the next
uniform int rings;         // how many rings
uniform vec4 ringColour;   // rgb, and alpha for how strongly rings cover the quadrants
uniform float shade;       // how much darker the bottom of each quadrant is
varying vec2 uv;

void main() {
    int quadrant = (uv.x < 0.5 ? 0 : 1) + (uv.y < 0.5 ? 0 : 2);
    vec3 base = palette[0];
    if (quadrant == 1) base = palette[1];
    if (quadrant == 2) base = palette[2];
    if (quadrant == 3) base = palette[3];
    float height = fract(uv.y * 2.0);
    base *= 1.0 - shade * (1.0 - height);

    float d = distance(uv, centre);
    float phase = fract(d / ringWidth);
    float ring = smoothstep(0.3, 0.5, phase) * (1.0 - smoothstep(0.5, 0.7, phase));
    ring *= step(d, ringWidth * float(rings));
    gl_FragColor = vec4(mix(base, ringColour.rgb, ring * ringColour.a), 1.0);
}
