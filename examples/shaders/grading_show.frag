// The scene as drawn on the left, and on the right each colour looked up in
// a 3D table: red, green and blue are its three coordinates, scaled so that
// 0 and 1 fall on the centres of the first and last texels.
uniform sampler2D scene;
uniform sampler3D table;

void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec3 colour = texture2D(scene, uv).rgb;
    if (uv.x > 0.5) colour = texture3D(table, colour * (15.0 / 16.0) + 0.5 / 16.0).rgb;
    if (abs(uv.x - 0.5) < 0.004) colour = vec3(1.0);
    gl_FragColor = vec4(colour, 1.0);
}
