// Seen from the camera, and where the same point falls in the light's depth
// map: its texture coordinates and depth there, from 0 to 1.
uniform mat4 camera;
uniform mat4 light;
uniform vec4 model;
varying vec3 inLight;
varying vec3 normal;

void main() {
    vec4 world = vec4(gl_Vertex.xyz * model.w + model.xyz, 1.0);
    vec4 fromLight = light * world;
    inLight = fromLight.xyz * 0.5 + 0.5;
    normal = gl_Normal;
    gl_Position = camera * world;
}
