// One direction of a Gaussian blur, 13 taps texelStep apart, of what is
// brighter than the threshold (0 blurs everything).
uniform sampler2D picture;
uniform vec2 texelStep;
uniform float threshold;
uniform float weights[7];

vec3 bright(vec2 at) {
    return max(texture2D(picture, at).rgb - vec3(threshold), 0.0);
}

void main() {
    vec2 at = gl_TexCoord[0].st;
    vec3 sum = bright(at) * weights[0];
    for (int i = 1; i < 7; ++i) {
        sum += bright(at + texelStep * float(i)) * weights[i];
        sum += bright(at - texelStep * float(i)) * weights[i];
    }
    gl_FragColor = vec4(sum, 1.0);
}
