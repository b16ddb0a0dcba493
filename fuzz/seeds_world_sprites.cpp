// Seeds for the sprite and saved-game loaders: files written by the game's
// own savers, and Talvex sprites built by hand in three layouts.
#include "FuzzSeeds.hpp"

#include "game/SaveGame.hpp"
#include "world/Sprite.hpp"

#include <SFML/Graphics/Image.hpp>

#include <string>

namespace {

std::string le32(long long v)
{
    std::string b;
    for (int i = 0; i < 4; ++i)
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
}

std::string field(std::string text, std::size_t size)
{
    text.resize(size, '\0');
    return text;
}

// One extra image and two frames of 2 by 2, laid out as the version wants.
std::string talvexSprite(int version)
{
    const bool sixteenBit = version >= 4;
    const auto image = [&] {
        return sixteenBit ? field("f.bmp", 256) + le32(2) + le32(2) + std::string("\x1f\x00\xe0\x07\x00\xf8\xff\xff", 8)
                          : le32(2) + le32(2) + std::string("\x00\x01\x05\xa0", 4);
    };
    std::string b = field("Zol Sprite File", 32) + le32(version) + field("seed", 32) + "\x02\x01" + le32(0);
    if (version > 5)
        b += field("", 256);
    b += field("extra", 32) + le32(1) + le32(2) + le32(3) + image();
    for (int time : {25, -1}) {
        b += le32(time) + image();
        if (version > 5)
            b += field("", 256);
    }
    b += '\0';
    if (version >= 2)
        b += '\0';
    if (version == 3)
        b += le32(0);
    if (version >= 5)
        b += le32(0) + std::string(3, '\0');
    return b;
}

const bool registered = fuzz::registerSeeds([] {
    std::vector<fuzz::Seed> seeds;
    seeds.push_back({"fuzz_sprite", "mower.spr", fuzz::savedBytes([](const std::string& path) {
        Sprite sprite;
        sprite.description = "mower";
        sf::Image frame;
        frame.create(3, 2, sf::Color(30, 160, 40));
        frame.setPixel(0, 0, sf::Color::Transparent);
        sprite.addFrame(frame, "art\\mower1.png", 10, false);
        frame.setPixel(2, 1, sf::Color::Cyan);
        sprite.addFrame(frame, "art\\mower2.png", -1, false);
        sprite.addFrame(frame, "", 0, true);
        return sprite.save(path);
    })});
    for (int version : {1, 3, 6})
        seeds.push_back({"fuzz_talvex_sprite", "talvex_v" + std::to_string(version) + ".spr", talvexSprite(version)});
    seeds.push_back({"fuzz_savegame", "000.sav", fuzz::savedBytes([](const std::string& path) {
        SaveGame game;
        game.levelIndex = 2;
        game.skillLevel = SkillHard;
        return game.save(path);
    })});
    return seeds;
});

} // namespace
