// Trees and shrubs (512-518) and the wooded blocks: the big oak (544), a
// group of trees (546) and a copse (553).  All Solid: the mower goes round.

#include "tiles/Families.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"
#include "tiles/Trees.hpp"

#include "Random.hpp"

namespace tiles {

namespace {

TileArt single(const std::string& name, const std::function<void(TileArt&, content::Random&)>& draw)
{
    TileArt art;
    content::Random rng("tiles/" + name);
    draw(art, rng);
    return art;
}

} // namespace

void drawTrees(Sheet& sheet)
{
    // Single trees fill their square, as the mower finds them: only the
    // corners and the shadow's far end show the grass.
    sheet.put(512, single("oak", [](TileArt& art, content::Random& rng) {
        crown(art, 15.5f, 15.5f, 13.6f, {leaves::oak, 8, 0.36f, 0.42f}, rng);
    }), 0, 0, "Oak tree", TileType::Solid);
    sheet.put(513, single("apple tree", [](TileArt& art, content::Random& rng) {
        const art::Mask m = crown(art, 15.5f, 15.5f, 14.f, {leaves::apple, 7, 0.3f, 0.4f}, rng);
        dots(art, m, 15.5f, 15.5f, 12.5f, 28, 1.25f, art::rgb(204, 40, 36), rng);
    }), 0, 0, "Apple tree", TileType::Solid);
    sheet.put(514, single("conifer", [](TileArt& art, content::Random& rng) {
        conifer(art, 15.5f, 15.5f, 14.4f, rng, 0.4f);
    }), 0, 0, "Conifer", TileType::Solid);
    sheet.put(515, single("birch", [](TileArt& art, content::Random& rng) {
        crown(art, 15.5f, 15.5f, 13.4f, {leaves::birch, 9, 0.34f, 0.42f}, rng);
    }), 0, 0, "Birch tree", TileType::Solid);
    sheet.put(516, single("bush", [](TileArt& art, content::Random& rng) {
        crown(art, 15.5f, 15.5f, 13.5f, {leaves::shrub, 7, 0.36f, 0.42f}, rng);
    }), 0, 0, "Bush", TileType::Solid);
    sheet.put(517, single("flowering bush", [](TileArt& art, content::Random& rng) {
        const art::Mask m = crown(art, 15.5f, 15.5f, 13.5f, {leaves::shrub, 8, 0.34f, 0.42f}, rng);
        dots(art, m, 15.5f, 15.5f, 12.5f, 38, 1.2f, art::rgb(246, 196, 214), rng, 5);
    }), 0, 0, "Flowering bush", TileType::Solid);
    sheet.put(518, single("rose bush", [](TileArt& art, content::Random& rng) {
        const art::Mask m = crown(art, 15.5f, 15.5f, 13.5f, {leaves::apple, 7, 0.36f, 0.42f}, rng);
        dots(art, m, 15.5f, 15.5f, 12.5f, 26, 1.45f, art::rgb(206, 34, 56), rng, 5);
    }), 0, 0, "Rose bush", TileType::Solid);

    TileArt oak(2, 2);
    content::Random oakRng("tiles/big oak");
    crown(oak, 31.f, 30.f, 26.f, {leaves::oak, 9, 0.42f}, oakRng);
    sheet.putBlock(544, oak, "Big oak", TileType::Solid);

    TileArt group(3, 2);
    content::Random groupRng("tiles/tree group");
    crown(group, 70.f, 22.f, 15.f, {leaves::beech, 8, 0.45f}, groupRng);
    conifer(group, 20.f, 38.f, 13.f, groupRng);
    crown(group, 45.f, 30.f, 17.f, {leaves::oak, 8, 0.45f}, groupRng);
    crown(group, 72.f, 44.f, 12.f, {leaves::birch, 7, 0.4f}, groupRng);
    sheet.putBlock(546, group, "Group of trees", TileType::Solid);

    TileArt copse(3, 3);
    content::Random copseRng("tiles/copse");
    crown(copse, 24.f, 26.f, 16.f, {leaves::beech, 8, 0.45f}, copseRng);
    conifer(copse, 66.f, 22.f, 14.f, copseRng);
    crown(copse, 22.f, 66.f, 15.f, {leaves::bush, 7, 0.45f}, copseRng);
    crown(copse, 48.f, 46.f, 20.f, {leaves::oak, 9, 0.42f}, copseRng);
    crown(copse, 72.f, 66.f, 15.f, {leaves::birch, 8, 0.4f}, copseRng);
    crown(copse, 46.f, 76.f, 11.f, {leaves::apple, 6, 0.45f}, copseRng);
    sheet.putBlock(553, copse, "Copse", TileType::Solid);
}

} // namespace tiles
