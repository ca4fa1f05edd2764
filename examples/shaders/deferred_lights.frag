// Eight point lights over what the first pass stored, a pixel at a time:
// each light falls off with its distance, and a pixel where nothing was
// drawn (its position's w is 0) is the background.
uniform sampler2D positions;
uniform sampler2D normals;
uniform sampler2D albedos;
uniform vec3 lightPositions[8];
uniform vec3 lightColours[8];

void main() {
    vec2 uv = gl_TexCoord[0].st;
    vec4 position = texture2D(positions, uv);
    if (position.w == 0.0) {
        gl_FragColor = vec4(0.02, 0.02, 0.04, 1.0);
        return;
    }
    vec3 n = normalize(texture2D(normals, uv).xyz);
    vec3 albedo = texture2D(albedos, uv).rgb;
    vec3 light = vec3(0.03);
    for (int i = 0; i < 8; ++i) {
        vec3 toLight = lightPositions[i] - position.xyz;
        float distance = length(toLight);
        float falloff = 1.0 / (1.0 + 4.0 * distance * distance);
        light += lightColours[i] * max(dot(n, toLight / distance), 0.0) * falloff;
    }
    gl_FragColor = vec4(albedo * light, 1.0);
}
