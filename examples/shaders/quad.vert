// A pass over the whole picture: the quad's corners as they are, its texture
// coordinates for the fragment shader.
void main() {
    gl_Position = gl_Vertex;
    gl_TexCoord[0] = gl_MultiTexCoord0;
}
