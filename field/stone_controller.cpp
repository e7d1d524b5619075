// Placeholder until the steering lands.
#include "field/stone_controller.hpp"

#include "field/food.hpp"

StoneController::StoneController(Playfield& field) : playfield(&field) {}
StoneController::StoneController(Playfield& field, std::shared_ptr<vosk::scene::Food> stone, glm::vec3 pivot)
    : stone(std::move(stone)), playfield(&field)
{
    for (const glm::vec3& s : this->stone->shapeCells())
        cells.push_back(pivot + s);
}
void StoneController::update(float) {}
void StoneController::fall(float) {}
void StoneController::land() {}
void StoneController::move(int, const glm::vec3&) {}
void StoneController::rotateAboutX() {}
void StoneController::rotateAboutZ() {}
bool StoneController::collides() const { return false; }
void StoneController::draw() {}
