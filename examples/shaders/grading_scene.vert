// Spheres placed by the host's matrices, lit in the viewer's space.
varying vec3 normal;

void main() {
    normal = gl_NormalMatrix * gl_Normal;
    gl_Position = ftransform();
}
