#include "asset_catalogue.hpp"
#include "collada_writer.hpp"
#include "obj_writer.hpp"
#include "scene_models.hpp"
#include "squirrel_model.hpp"
#include "stone_models.hpp"

namespace assetgen {

void writeAllAssets(OutputFolder& out)
{
    for (const AssetModel& stone : {makeBurger(), makeCherry(), makeFrenchFries(), makeCarrot(), makeMushroom(), makeBeetle()})
        writeObjModel(out, "Stones", stone);
    for (const AssetModel& model : {makeGround(), makeTreeRing(), makeFewTrees(), makeChest(), makeCrown(), makeDiamond1(),
                                    makeDiamond2(), makeCoins(), makeNecklace()})
        writeObjModel(out, "Models", model);
    writeColladaModel(out, "Models", makeSquirrel());
}

} // namespace assetgen
