// A 3x3 filter over a loaded picture, its weights a uniform array, and a
// colour grade after it; left of `split` the picture shows as loaded. The
// vertex stage is fixed function: gl_TexCoord[0] is draw_quad's 0..1.
uniform sampler2D picture;
uniform vec2 tapStep;     // between taps, in texture coordinates
uniform float kernel[9];  // row after row, from the top left
uniform mat3 grade;
uniform float split;

void main() {
    vec2 uv = gl_TexCoord[0].xy;
    vec3 sum = vec3(0.0);
    for (int i = 0; i < 9; ++i) {
        int row = i / 3;
        vec2 offset = vec2(float(i - row * 3) - 1.0, 1.0 - float(row));
        sum += kernel[i] * texture2D(picture, uv + offset * tapStep).rgb;
    }
    vec3 colour = uv.x < split ? texture2D(picture, uv).rgb : grade * sum;
    gl_FragColor = vec4(colour, 1.0);
}
