// A ground plane seen from just above it, receding towards the horizon at
// the top: each pixel's point on the plane (farther up the picture, farther
// away), and the picture in `checker` repeated over the plane there. Far
// away a pixel covers many of the picture's squares.
uniform sampler2D checker;

void main() {
    vec2 onScreen = gl_TexCoord[0].st * 2.0 - 1.0;
    float distance = 1.0 / (1.08 - onScreen.y);
    vec2 onGround = vec2(onScreen.x * distance, 3.0 * distance);
    gl_FragColor = texture2D(checker, onGround * 0.5);
}
