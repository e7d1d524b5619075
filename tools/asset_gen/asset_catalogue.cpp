#include "asset_catalogue.hpp"
#include "collada_writer.hpp"
#include "obj_writer.hpp"
#include "scene_models.hpp"
#include "squirrel_model.hpp"
#include "stone_models.hpp"

#include <iostream>

namespace assetgen {
namespace {

// The vertex count the game will draw, on standard error for whoever tunes the models.
void report(const std::string& name, std::size_t corners)
{
    std::cerr << "quarvel_assetgen: " << name << " " << corners << " vertices\n";
}

} // namespace

void writeAllAssets(OutputFolder& out)
{
    for (const AssetModel& stone : {makeBurger(), makeCherry(), makeFrenchFries(), makeCarrot(), makeMushroom(), makeBeetle()})
        report(stone.name(), writeObjModel(out, "Stones", stone));
    for (const AssetModel& model : {makeGround(), makeTreeRing(), makeFewTrees(), makeChest(), makeCrown(), makeDiamond1(),
                                    makeDiamond2(), makeCoins(), makeNecklace()})
        report(model.name(), writeObjModel(out, "Models", model));
    const SkinnedModel squirrel = makeSquirrel();
    report(squirrel.name, writeColladaModel(out, "Models", squirrel));
}

} // namespace assetgen
