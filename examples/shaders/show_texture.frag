// The texture given, over the quad.
uniform sampler2D picture;

void main() {
    gl_FragColor = texture2D(picture, gl_TexCoord[0].st);
}
