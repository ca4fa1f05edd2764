// Passes the quad through and hands its texture coordinates on.
varying vec2 uv;

void main() {
    uv = gl_MultiTexCoord0.xy;
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
