// The sphere placed by the script's matrices; normals and texture
// coordinates pass on to the fragment shader for lighting per pixel.
uniform mat4 modelViewProjection;
uniform mat3 normalMatrix;
varying vec3 normal;
varying vec2 surface;

void main() {
    normal = normalMatrix * gl_Normal;
    surface = gl_MultiTexCoord0.xy;
    gl_Position = modelViewProjection * gl_Vertex;
}
