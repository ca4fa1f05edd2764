// The ground, darkened where the depth map holds something nearer the light
// than the ground itself.
uniform sampler2D depthMap;
varying vec3 inLight;

void main() {
    float nearest = texture2D(depthMap, inLight.xy).r;
    float lit = nearest < inLight.z - 0.005 ? 0.35 : 1.0;
    gl_FragColor = vec4(vec3(0.55, 0.62, 0.45) * lit, 1.0);
}
