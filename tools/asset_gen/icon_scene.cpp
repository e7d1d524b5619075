#include "icon_scene.hpp"

#include "chest_layout.hpp"
#include "scene_models.hpp"
#include "soft_renderer.hpp"
#include "stone_models.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <string>

namespace assetgen {
namespace {

constexpr int iconSizes[] = {16, 24, 32, 48, 64, 128, 256};  // pixels, the hicolor theme's usual set
constexpr int samplesAcross = 1024;                           // samples per picture side, whatever the size

// In the chest's model units (see chest_layout.hpp).
constexpr float burgerScale = 0.3f;  // the burger's 4 units become 1.2, about the chest's width
const glm::vec3 burgerPlace{0.1f, 2.25f, 0.35f};
const glm::vec3 lookAt{0.0f, 1.3f, 0.2f};
const glm::vec3 eye{-3.3f, 4.2f, -5.6f};
constexpr float fovDegrees = 34.0f;

struct Placed {
    AssetModel model;
    glm::mat4 matrix;
};

std::vector<Placed> iconScene()
{
    const glm::mat4 identity(1.0f);
    glm::mat4 burger = glm::translate(identity, burgerPlace);
    burger = glm::rotate(burger, glm::radians(-18.0f), glm::vec3(0, 0, 1));
    burger = glm::rotate(burger, glm::radians(25.0f), glm::vec3(0, 1, 0));
    burger = glm::scale(burger, glm::vec3(burgerScale));
    return {
        {makeChest(), identity},
        {makeCoins(), identity},
        {makeCrown(), glm::translate(identity, glm::vec3(0.0f, -chest::crownDrop, 0.0f))},
        {makeDiamond1(), identity},
        {makeDiamond2(), identity},
        {makeNecklace(), identity},
        {makeBurger(), burger},
    };
}

std::vector<uint8_t> drawIcon(const std::vector<Placed>& scene, int size)
{
    SoftRenderer renderer(size, std::max(1, samplesAcross / size));
    const glm::mat4 projection = glm::perspective(glm::radians(fovDegrees), 1.0f, 0.5f, 50.0f);
    renderer.setCamera(projection * glm::lookAt(eye, lookAt, glm::vec3(0, 1, 0)));
    renderer.setLight(glm::vec3(-0.5f, 1.0f, -0.7f), 0.45f);
    for (const Placed& p : scene)
        renderer.draw(p.model, p.matrix);
    return encodeRgbaPng(size, size, renderer.resolve());
}

} // namespace

void writeIcons(OutputFolder& out)
{
    const std::vector<Placed> scene = iconScene();
    for (int size : iconSizes) {
        const std::string n = std::to_string(size);
        out.write("hicolor/" + n + "x" + n + "/apps/quarvel.png", drawIcon(scene, size));
    }
}

} // namespace assetgen
