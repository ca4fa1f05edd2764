// Polished metal: the sky the view reflects off the surface, turned into the
// world's space, tinted, and brighter at grazing angles.
uniform samplerCube sky;
uniform mat3 viewToWorld;
varying vec3 viewPosition;
varying vec3 viewNormal;

void main() {
    vec3 n = normalize(viewNormal);
    vec3 view = normalize(viewPosition);
    vec3 reflected = viewToWorld * reflect(view, n);
    float fresnel = pow(1.0 - max(dot(-view, n), 0.0), 3.0);
    vec3 tint = vec3(0.85, 0.8, 0.7);
    gl_FragColor = vec4(textureCube(sky, reflected).rgb * mix(tint, vec3(1.0), fresnel), 1.0);
}
