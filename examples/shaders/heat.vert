// Positions as given (the host's matrices are identity), and a heat of the
// script's own per vertex.
attribute float heat;
varying float warmth;

void main() {
    warmth = heat;
    gl_Position = gl_Vertex;
}
