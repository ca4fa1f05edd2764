// The bunny placed by the host's matrices; its position and normal in the
// viewer's space, for the reflection.
attribute vec3 position;
attribute vec3 normal;
varying vec3 viewPosition;
varying vec3 viewNormal;

void main() {
    viewPosition = (gl_ModelViewMatrix * vec4(position, 1.0)).xyz;
    viewNormal = gl_NormalMatrix * normal;
    gl_Position = gl_ModelViewProjectionMatrix * vec4(position, 1.0);
}
