// Positions and normals in the viewer's space, for the lighting pass.
varying vec3 position;
varying vec3 normal;

void main() {
    position = (gl_ModelViewMatrix * gl_Vertex).xyz;
    normal = gl_NormalMatrix * gl_Normal;
    gl_Position = ftransform();
}
