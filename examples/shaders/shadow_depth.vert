// Seen from the light: the object placed by `model` (an offset and a scale)
// and projected along the light's direction by `light`.
uniform mat4 light;
uniform vec4 model;

void main() {
    gl_Position = light * vec4(gl_Vertex.xyz * model.w + model.xyz, 1.0);
}
