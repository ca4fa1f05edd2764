// The sky around the camera: each pixel's direction through a lens of the
// projection's width, turned from the viewer's space into the world's.
uniform samplerCube sky;
uniform mat3 viewToWorld;

void main() {
    vec2 ndc = gl_TexCoord[0].st * 2.0 - 1.0;
    vec3 direction = viewToWorld * normalize(vec3(ndc * 0.5, -1.0));
    gl_FragColor = vec4(textureCube(sky, direction).rgb, 1.0);
}
