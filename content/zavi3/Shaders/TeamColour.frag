// Tints the grey parts of a sprite with a team colour and leaves coloured
// parts as they are.  teamColour's alpha is the strength of the tint, so
// an unset colour (all zero) changes nothing.
#version 120

uniform sampler2D texture;
uniform vec4 teamColour;

void main()
{
    vec4 pixel = texture2D(texture, gl_TexCoord[0].xy);
    float spread = max(pixel.r, max(pixel.g, pixel.b)) - min(pixel.r, min(pixel.g, pixel.b));
    float neutral = 1.0 - clamp(spread * 4.0, 0.0, 1.0);
    vec3 tinted = pixel.rgb * teamColour.rgb;
    vec3 rgb = mix(pixel.rgb, tinted, neutral * teamColour.a);
    gl_FragColor = vec4(rgb, pixel.a) * gl_Color;
}
