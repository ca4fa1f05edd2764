// The ground, darkened where the depth map holds something nearer the light
// than the ground itself. The map compares by itself (hardware comparison,
// set by the script): shadow2D gives the share of the map's texels around
// the point that are not nearer the light than the ground. Nine lookups a
// texel and a half apart soften the shadow's edge.
uniform sampler2DShadow depthMap;
varying vec3 inLight;

void main() {
    float lit = 0.0;
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j)
            lit += shadow2D(depthMap, vec3(inLight.xy + vec2(i, j) * (1.5 / 256.0), inLight.z - 0.005)).r;
    gl_FragColor = vec4(vec3(0.55, 0.62, 0.45) * mix(0.35, 1.0, lit / 9.0), 1.0);
}
