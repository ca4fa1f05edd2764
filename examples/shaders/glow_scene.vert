// The unit sphere at half the picture's width, its front towards the viewer
// (-z); the normal turned the same way, for lighting per pixel.
varying vec3 normal;

void main() {
    normal = gl_Normal * vec3(1.0, 1.0, -1.0);
    gl_Position = vec4(gl_Vertex.xyz * vec3(0.5, 0.5, -0.5), 1.0);
}
