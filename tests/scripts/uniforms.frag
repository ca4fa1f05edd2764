uniform float level;
uniform vec3 tint;
uniform ivec2 steps[3];
uniform sampler2D image;

void main() {
    vec4 colour = texture2D(image, vec2(0.5)) * level;
    colour.rgb += tint * float(steps[0].x + steps[1].y + steps[2].x);
    gl_FragColor = colour;
}
