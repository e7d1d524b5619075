// The scene render pass of the game record: matrices, uniforms, culling, draw order, HUD and particles.

#include "game/game.hpp"

#include "creatures/collision_checker.hpp"
#include "effects/particle_system.hpp"
#include "field/chest.hpp"
#include "field/food.hpp"
#include "field/plane2.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "field/stone_shader.hpp"
#include "game/hud.hpp"
#include "render/shader_program.hpp"
#include "render/text_renderer.hpp"
#include "ui/game_screens.hpp"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include <iostream>

namespace {

constexpr float stoneCullDistance = -150.0f;    // world units beyond a frustum plane
constexpr float creatureCullDistance = -100.0f;
const glm::vec3 chestCullPoint(700.0f, 1.0f, 700.0f);
constexpr float treeScale = 30.0f;
const glm::vec3 treePosition(700.0f, -1.0f, 680.0f);

void setMatrix(const ShaderProgram& program, const char* name, const glm::mat4& m)
{
    glUniformMatrix4fv(program.uniform(name), 1, GL_FALSE, glm::value_ptr(m));
}

void setVector(const ShaderProgram& program, const char* name, const glm::vec3& v)
{
    glUniform3f(program.uniform(name), v.x, v.y, v.z);
}

glm::vec3 translationOf(const glm::mat4& m)
{
    return glm::vec3(m[3]);
}

// First and second rows of the player's view matrix: the billboard axes of the particles.
void setBillboardAxes(const ShaderProgram& program, const glm::mat4& playerView)
{
    setVector(program, "CameraRight_worldspace", {playerView[0][0], playerView[1][0], playerView[2][0]});
    setVector(program, "CameraUp_worldspace", {playerView[0][1], playerView[1][1], playerView[2][1]});
}

} // namespace

void Game::render()
{
    if (blending) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    loadSceneUniforms();
    drawScene();
    if (mainPass) {
        drawHud();
        drawParticles();
        drawPanel();
        glUseProgram(currentProgram->id);
    }
}

void Game::loadSceneUniforms()
{
    projection = cameraProjection(currentCamera->zoom);
    const glm::mat4 lightProjection = cameraProjection(lightCamera->zoom);
    view = currentCamera->viewMatrix();
    const glm::mat4 lightView = lightCamera->viewMatrix();

    const ShaderProgram& p = *currentProgram;
    setVector(p, "light_position", lightCamera->position);
    setMatrix(p, "light_projection", lightProjection);
    setMatrix(p, "light_view", lightView);
    setMatrix(p, "projection", projection);
    setMatrix(p, "view", view);
    setVector(p, "viewPos", currentCamera->position);
    setBillboardAxes(p, playerCamera->viewMatrix());

    projView = projection * view;
    frustumPlanes = frustumPlanesOf(projView);
}

void Game::drawScene()
{
    ground->draw();

    glm::mat4 trees = glm::mat4(treeScale);
    trees[3] = glm::vec4(treePosition, 1.0f);
    setMatrix(*currentProgram, "model", trees);
    treesModel.draw(*currentProgram);

    drawStones();

    if (!isCulled(frustumPlanes, chestCullPoint, creatureCullDistance))
        chest->draw();
    else if (cullingLog)
        std::cout << "Culling";

    for (const std::unique_ptr<Animal>& creature : creatures) {
        if (creature && !isCulled(frustumPlanes, translationOf(creature->modelMatrix), creatureCullDistance))
            creature->draw();
    }
}

void Game::drawStones()
{
    // The falling stone is tested where the previous pass put it.
    if (!isCulled(frustumPlanes, translationOf(stoneController->stone->modelMatrix), stoneCullDistance))
        stoneController->draw();
    playfield.drawFallingStones();
    for (const std::shared_ptr<vosk::scene::Food>& stone : playfield.landedStones) {
        if (!stone || isCulled(frustumPlanes, translationOf(stone->modelMatrix), stoneCullDistance))
            continue;
        setMatrix(*stoneShader, "light_model", stone->modelMatrix);
        setMatrix(*stoneShader, "model", stone->modelMatrix);
        stone->draw();
    }
}

void Game::drawHud()
{
    const HudState state{score, elapsed, lifepoints, frames.framesLastSecond, showHelp, showFps};
    const glm::vec3 black(0.0f);
    for (const HudLine& line : Hud::lines(state)) {
        TextRenderer& font = line.font == HudLine::Font::Score ? *scoreFont : *helpFont;
        font.drawText(*fontProgram, line.text, line.x, line.y, line.scale, black);
    }
}

void Game::drawParticles()
{
    glUseProgram(particleProgram->id);
    setBillboardAxes(*particleProgram, playerCamera->viewMatrix());
    setMatrix(*particleProgram, "projection", projection);
    setMatrix(*particleProgram, "view", view);
    if (collisionChecker->effect)
        collisionChecker->effect->draw();
}

void Game::drawPanel()
{
    if (!screens)
        return;
    GameScreens::Screen screen = GameScreens::Screen::Playing;
    if (lifepoints == 0)
        screen = GameScreens::Screen::Over;
    else if (paused)
        screen = GameScreens::Screen::Paused;
    screens->draw(screen, {*scoreFont, *helpFont, *fontProgram});
}
