// The scene with its blurred bright parts added back, cut at white.
uniform sampler2D scene;
uniform sampler2D glow;
uniform float strength;

void main() {
    vec2 at = gl_TexCoord[0].st;
    vec3 colour = texture2D(scene, at).rgb + texture2D(glow, at).rgb * strength;
    gl_FragColor = vec4(min(colour, vec3(1.0)), 1.0);
}
