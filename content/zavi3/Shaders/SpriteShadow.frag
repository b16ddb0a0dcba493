// Draws a sprite as its shadow: a translucent dark silhouette whose edge is
// softened by averaging the alpha around each pixel.
#version 120

uniform sampler2D texture;

const vec4 shadowColour = vec4(0.0, 0.0, 0.0, 0.5);

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    // One screen pixel in texture space, whatever the sprite's size and scale.
    vec2 spacing = fwidth(uv) * 1.5;

    float alpha = 0.0;
    for (int y = -1; y <= 1; ++y)
        for (int x = -1; x <= 1; ++x)
            alpha += texture2D(texture, uv + vec2(float(x), float(y)) * spacing).a;
    alpha /= 9.0;

    gl_FragColor = vec4(shadowColour.rgb, shadowColour.a * alpha * gl_Color.a);
}
