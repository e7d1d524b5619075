#include "shots.hpp"
#include "game_placement.hpp"
#include "gl_model.hpp"
#include "offscreen_renderer.hpp"

#include "../obj_writer.hpp"
#include "../shapes.hpp"
#include "../stone_cells.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <filesystem>
#include <memory>

namespace assetview {
namespace {

constexpr int tileSize = 360;  // pixels per contact-sheet tile
const glm::vec3 skyColour(0.62f, 0.74f, 0.86f);

// A pale checkered floor written next to the pictures' scratch folder.
std::string floorModel()
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quarvel_assetview";
    assetgen::AssetModel floor("viewer_floor");
    floor.addMaterial({"viewer_floor", assetgen::paintImage(64, 64, [](glm::vec2 uv) {
                           const bool odd = (int(uv.x * 2.0f) + int(uv.y * 2.0f)) % 2 == 1;
                           return odd ? glm::vec3(0.80f, 0.79f, 0.76f) : glm::vec3(0.86f, 0.85f, 0.82f);
                       })});
    assetgen::Mesh quad("viewer_floor");
    const glm::vec3 up(0, 1, 0);
    const uint32_t a = quad.addVertex({-1, 0, -1}, up, {0, 0}), b = quad.addVertex({1, 0, -1}, up, {8, 0});
    const uint32_t c = quad.addVertex({1, 0, 1}, up, {8, 8}), d = quad.addVertex({-1, 0, 1}, up, {0, 8});
    quad.addQuad(a, d, c, b);
    floor.add(quad);
    assetgen::OutputFolder out(dir);
    assetgen::writeObjModel(out, ".", floor);
    return (dir / "viewer_floor.obj").string();
}

struct Placed {
    std::string file;
    glm::mat4 matrix{1.0f};
};

// One model (or a group) centred in a tile, seen from the front left and above.
assetgen::Image tile(OffscreenRenderer& r, GlModel& floor, const std::vector<Placed>& parts, float yaw, float pitch,
                     double seconds = 0.0)
{
    std::vector<std::unique_ptr<GlModel>> models;
    glm::vec3 lo(1e30f), hi(-1e30f);
    for (const Placed& p : parts) {
        if (!std::filesystem::exists(p.file))  // not made yet: an empty tile
            return assetgen::paintImage(r.width(), r.height(), [](glm::vec2) { return glm::vec3(0.3f); });
        models.push_back(std::make_unique<GlModel>(p.file));
        for (int i = 0; i < 8; ++i) {
            const glm::vec3 corner((i & 1) ? models.back()->boundsMax().x : models.back()->boundsMin().x,
                                   (i & 2) ? models.back()->boundsMax().y : models.back()->boundsMin().y,
                                   (i & 4) ? models.back()->boundsMax().z : models.back()->boundsMin().z);
            const glm::vec3 w(p.matrix * glm::vec4(corner, 1.0f));
            lo = glm::min(lo, w);
            hi = glm::max(hi, w);
        }
    }
    const glm::vec3 centre = (lo + hi) * 0.5f;
    const float radius = glm::length(hi - lo) * 0.5f;
    constexpr float fov = 30.0f;
    const ViewCamera camera = orbitCamera(centre, radius / std::sin(glm::radians(fov * 0.5f)) * 1.02f, yaw, pitch, fov, 1.0f);
    const SunLight sun = sunFor(centre, radius * 1.6f, {-0.45f, 1.0f, -0.6f});
    // The floor a hair under the lowest point, so a model's own flat bottom (the ground's field)
    // does not fight it for depth.
    const float floorY = lo.y - radius * 0.002f;
    const glm::mat4 floorMatrix = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(centre.x, floorY, centre.z)),
                                             glm::vec3(radius * 3.0f));
    r.render(camera, sun, skyColour, [&](GLuint program) {
        floor.draw(program, floorMatrix, 0.0);
        for (std::size_t i = 0; i < models.size(); ++i)
            models[i]->draw(program, parts[i].matrix, seconds);
    });
    return r.read();
}

std::string stones(const std::string& root, const std::string& name) { return root + "/Stones/" + name + ".obj"; }
std::string models(const std::string& root, const std::string& name) { return root + "/Models/" + name; }

std::vector<Placed> chestWithTreasure(const std::string& root, int piecesLeft)
{
    std::vector<Placed> parts{{models(root, "schatztruhe-truhe.obj"), chestMatrix()}};
    const char* order[] = {"schatztruhe-crown.obj", "diamant2.obj", "coins.obj", "diamant1.obj", "schatztruhe-necklace.obj"};
    for (int i = 0; i < piecesLeft; ++i)
        parts.push_back({models(root, order[i]), i == 0 ? crownMatrix() : chestMatrix()});
    return parts;
}

} // namespace

assetgen::Image tileImages(const std::vector<assetgen::Image>& tiles, int columns)
{
    const int w = tiles.front().width(), h = tiles.front().height();
    const int rows = (int(tiles.size()) + columns - 1) / columns;
    assetgen::Image sheet(w * columns, h * rows);
    for (std::size_t i = 0; i < tiles.size(); ++i)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                sheet.set(int(i % columns) * w + x, int(i / columns) * h + y, tiles[i].get(x, y));
    return sheet;
}

assetgen::Image contactSheet(const std::string& root)
{
    OffscreenRenderer r(tileSize, tileSize);
    GlModel floor(floorModel());
    const glm::mat4 id(1.0f);
    std::vector<assetgen::Image> tiles;
    tiles.push_back(tile(r, floor, {{stones(root, "quad"), id}}, 30, 28));
    tiles.push_back(tile(r, floor, {{stones(root, "tex_z"), id}}, 60, 20));
    tiles.push_back(tile(r, floor, {{stones(root, "tex_i"), id}}, 30, 22));
    tiles.push_back(tile(r, floor, {{stones(root, "tex_L"), id}}, 20, 40));
    tiles.push_back(tile(r, floor, {{stones(root, "tex_t"), id}}, 60, 22));
    tiles.push_back(tile(r, floor, {{stones(root, "fathirsch"), beetleMatrix({0, 0, 0}, 0.4f)}}, 25, 30));
    tiles.push_back(tile(r, floor, {{models(root, "bakedsq.dae"), squirrelMatrix({0, 0, 0}, 0.5f)}}, 20, 15, 0.3));
    tiles.push_back(tile(r, floor, chestWithTreasure(root, 5), 0, 40));
    tiles.push_back(tile(r, floor, {{models(root, "schatztruhe-crown.obj"), id}}, 20, 30));
    tiles.push_back(tile(r, floor, {{models(root, "diamant1.obj"), id}}, 20, 30));
    tiles.push_back(tile(r, floor, {{models(root, "diamant2.obj"), id}}, 20, 30));
    tiles.push_back(tile(r, floor, {{models(root, "coins.obj"), id}}, 10, 40));
    tiles.push_back(tile(r, floor, {{models(root, "schatztruhe-necklace.obj"), id}}, 10, 40));
    tiles.push_back(tile(r, floor, {{models(root, "fewtrees.obj"), id}}, 20, 20));
    tiles.push_back(tile(r, floor, {{models(root, "fewtreesnearobj.obj"), treesMatrix()}}, 10, 55));
    tiles.push_back(tile(r, floor, {{models(root, "field2.obj"), groundMatrix()}}, 10, 60));
    return tileImages(tiles, 4);
}

assetgen::Image singleModel(const std::string& file, float yaw, float pitch, double seconds)
{
    OffscreenRenderer r(720, 720);
    GlModel floor(floorModel());
    const bool squirrel = file.size() > 4 && file.substr(file.size() - 4) == ".dae";
    return tile(r, floor, {{file, squirrel ? squirrelMatrix({0, 0, 0}, 0.0f) : glm::mat4(1.0f)}}, yaw, pitch, seconds);
}

assetgen::Image stoneCells(const std::string& root)
{
    OffscreenRenderer r(tileSize, tileSize);
    GlModel floor(floorModel());
    using assetgen::StoneClass;
    struct Entry {
        const StoneClass& stone;
        glm::vec3 centre;
    };
    const Entry entries[] = {{assetgen::burgerClass(), {0, 90, 0}},  {assetgen::cherryClass(), {0, 50, 100}},
                             {assetgen::frenchFriesClass(), {0, 150, 0}}, {assetgen::carrotClass(), {0, 50, -50}},
                             {assetgen::mushroomClass(), {0, 50, 100}}};
    std::vector<assetgen::Image> tiles;
    for (const Entry& e : entries)
        for (const std::string turns : {"", "x", "xx", "z", "xz"}) {
            const glm::vec3 pivot(0, 300, 0);
            const TurnedStone s = turnStone(pivot, e.stone.scale, e.stone.drawOffset, e.centre, e.stone.cells, turns);
            const bool cellsStay = e.stone.file == "quad";  // the burger fills its unturned cells however it shows
            std::vector<glm::vec3> edges;
            for (const glm::vec3& c : cellsStay ? turnStone(pivot, e.stone.scale, e.stone.drawOffset, e.centre, e.stone.cells, "").cells
                                                : s.cells) {
                const auto box = cellEdges(c);
                edges.insert(edges.end(), box.begin(), box.end());
            }
            GlModel model(stones(root, e.stone.file));
            const ViewCamera camera = orbitCamera(pivot + glm::vec3(0, 50, 0), 900, 55, 25, 30, 1.0f);
            const SunLight sun = sunFor(pivot, 600, {-0.45f, 1.0f, -0.6f});
            r.render(camera, sun, skyColour, [&](GLuint program) {
                floor.draw(program, glm::scale(glm::mat4(1.0f), glm::vec3(2000.0f)), 0.0);
                model.draw(program, s.model, 0.0);
            });
            r.drawLines(camera, edges, {0.1f, 0.1f, 0.9f});
            tiles.push_back(r.read());
        }
    return tileImages(tiles, 5);
}

assetgen::Image gameView(const std::string& root, double seconds)
{
    OffscreenRenderer r(1024, 800);
    const ViewCamera camera = playerCamera(1.28f);
    const SunLight sun = sunFor({700, 0, 700}, 2600, {0.15f, 1.0f, 0.1f});
    GlModel ground(models(root, "field2.obj")), trees(models(root, "fewtreesnearobj.obj"));
    GlModel beetle(stones(root, "fathirsch"));
    std::unique_ptr<GlModel> squirrel;
    if (std::filesystem::exists(models(root, "bakedsq.dae")))
        squirrel = std::make_unique<GlModel>(models(root, "bakedsq.dae"));
    std::vector<std::pair<std::unique_ptr<GlModel>, glm::mat4>> placed;
    for (const Placed& p : chestWithTreasure(root, 5))
        placed.emplace_back(std::make_unique<GlModel>(p.file), p.matrix);
    const auto addStone = [&](const assetgen::StoneClass& s, glm::vec3 cell, const std::string& turns, glm::vec3 centre) {
        const TurnedStone t = turnStone(cell * 100.0f, s.scale, s.drawOffset, centre, s.cells, turns);
        placed.emplace_back(std::make_unique<GlModel>(stones(root, s.file)), t.model);
    };
    addStone(assetgen::burgerClass(), {2, 0, 3}, "", {0, 90, 0});
    addStone(assetgen::frenchFriesClass(), {12, 1, 2}, "", {0, 150, 0});
    addStone(assetgen::carrotClass(), {4, 0, 10}, "", {0, 50, -50});
    addStone(assetgen::cherryClass(), {10, 0, 10}, "", {0, 50, 100});
    addStone(assetgen::mushroomClass(), {11, 0, 6}, "", {0, 50, 100});
    addStone(assetgen::cherryClass(), {4, 10, 4}, "x", {0, 50, 100});
    r.render(camera, sun, skyColour, [&](GLuint program) {
        ground.draw(program, groundMatrix(), 0.0);
        trees.draw(program, treesMatrix(), 0.0);
        for (const auto& [model, matrix] : placed)
            model->draw(program, matrix, seconds);
        beetle.draw(program, beetleMatrix({250, 0, 700}, 0.0f), seconds);
        beetle.draw(program, beetleMatrix({1150, 0, 200}, 2.4f), seconds);
        if (squirrel) {
            squirrel->draw(program, squirrelMatrix({300, 0, 150}, -0.8f), seconds);
            squirrel->draw(program, squirrelMatrix({1300, 0, 900}, 3.1f), seconds + 0.7);
        }
    });
    return r.read();
}

assetgen::Image squirrelFrames(const std::string& root)
{
    OffscreenRenderer r(tileSize, tileSize);
    GlModel squirrel(models(root, "bakedsq.dae"));
    GlModel floor(floorModel());
    std::vector<assetgen::Image> tiles;
    std::vector<glm::vec3> marks{{-60, 0, 0}, {60, 0, 0}, {-60, 60, 0}, {60, 60, 0}, {0, 0, 0}, {0, 60, 0}};
    for (int side = 0; side < 2; ++side)
        for (int i = 0; i < 4; ++i) {
            const double t = 0.25 * i;
            const ViewCamera camera = orbitCamera({0, 32, 0}, 230, side ? 40.0f : 0.0f, side ? 20.0f : 0.0f, 30, 1.0f);
            const SunLight sun = sunFor({0, 30, 0}, 120, {-0.45f, 1.0f, -0.6f});
            r.render(camera, sun, skyColour, [&](GLuint program) {
                floor.draw(program, glm::scale(glm::mat4(1.0f), glm::vec3(400.0f)), 0.0);
                squirrel.draw(program, squirrelMatrix({0, 0, 0}, 0.0f), t);
            });
            r.drawLines(camera, marks, {0.9f, 0.1f, 0.1f});
            tiles.push_back(r.read());
        }
    return tileImages(tiles, 4);
}

assetgen::Image chestLosses(const std::string& root)
{
    OffscreenRenderer r(512, 400);
    GlModel ground(models(root, "field2.obj"));
    std::vector<assetgen::Image> tiles;
    for (int left = 5; left >= 0; --left) {
        std::vector<std::pair<std::unique_ptr<GlModel>, glm::mat4>> placed;
        for (const Placed& p : chestWithTreasure(root, left))
            placed.emplace_back(std::make_unique<GlModel>(p.file), p.matrix);
        ViewCamera camera = playerCamera(1.28f);
        camera.projection = glm::perspective(glm::radians(14.0f), 1.28f, 10.0f, 20000.0f);
        camera.view = glm::lookAt(camera.position, glm::vec3(700, 100, 700), glm::vec3(0, 1, 0));
        const SunLight sun = sunFor({700, 0, 700}, 600, {0.15f, 1.0f, 0.1f});
        r.render(camera, sun, skyColour, [&](GLuint program) {
            ground.draw(program, groundMatrix(), 0.0);
            for (const auto& [model, matrix] : placed)
                model->draw(program, matrix, 0.0);
        });
        tiles.push_back(r.read());
    }
    return tileImages(tiles, 3);
}

} // namespace assetview
