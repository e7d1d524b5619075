// The scene render pass of the game record: matrices, uniforms, culling, draw order, HUD and particles.

#include "game/game.hpp"

#include "creatures/collision_checker.hpp"
#include "creatures/creature_shaders.hpp"
#include "effects/particle_system.hpp"
#include "field/chest.hpp"
#include "field/food.hpp"
#include "field/landing_marker.hpp"
#include "field/plane2.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "field/stone_shader.hpp"
#include "game/help_entries.hpp"
#include "game/hud.hpp"
#include "game/hud_view.hpp"
#include "render/render_state.hpp"
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

// The shadow map is sampled on its unit in the visible pass and must not be bound at all while the
// shadow pass draws into it.
void offerShadowMap(bool offered)
{
    glActiveTexture(GL_TEXTURE0 + Mesh::shadowMapUnit);
    glBindTexture(GL_TEXTURE_2D, offered ? shadowDepthTexture : 0);
    glActiveTexture(GL_TEXTURE0);
}

// Points the programs that the scene objects draw with at one program while it lives, then back.
class ObjectPrograms {
public:
    ObjectPrograms(ShaderProgram& program, Plane2& ground)
        : ground_(ground), stone_(stoneShader), beetle_(beetleShader), squirrel_(squirrelShader),
          groundShader_(ground.shader)
    {
        stoneShader = beetleShader = squirrelShader = ground.shader = &program;
    }
    ~ObjectPrograms()
    {
        stoneShader = stone_;
        beetleShader = beetle_;
        squirrelShader = squirrel_;
        ground_.shader = groundShader_;
    }
    ObjectPrograms(const ObjectPrograms&) = delete;
    ObjectPrograms& operator=(const ObjectPrograms&) = delete;

private:
    Plane2& ground_;
    ShaderProgram* stone_;
    ShaderProgram* beetle_;
    ShaderProgram* squirrel_;
    ShaderProgram* groundShader_;
};

} // namespace

void Game::render()
{
    if (blending) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    if (!mainPass) {
        // Only depths reach the shadow map: the depth program gives the same ones without shading.
        offerShadowMap(false);
        glUseProgram(depthProgram->id);
        const ObjectPrograms objects(*depthProgram, *ground);
        loadSceneUniforms(*depthProgram);
        drawScene(*depthProgram);
        return;
    }
    offerShadowMap(true);
    glUseProgram(currentProgram->id);
    loadSceneUniforms(*currentProgram);
    drawScene(*currentProgram);
    drawLandingMarker();
    drawHud();
    drawParticles();
    drawPanel();
    glUseProgram(currentProgram->id);
}

void Game::loadSceneUniforms(const ShaderProgram& pass)
{
    projection = cameraProjection(currentCamera->zoom);
    const glm::mat4 lightProjection = cameraProjection(lightCamera->zoom);
    view = currentCamera->viewMatrix();
    const glm::mat4 lightView = lightCamera->viewMatrix();

    const ShaderProgram& p = pass;
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

void Game::drawScene(ShaderProgram& pass)
{
    glm::mat4 trees = glm::mat4(treeScale);
    trees[3] = glm::vec4(treePosition, 1.0f);
    setMatrix(pass, "model", trees);
    treesModel.draw(pass);

    drawStones();

    if (!isCulled(frustumPlanes, chestCullPoint, creatureCullDistance))
        chest->draw();
    else if (cullingLog)
        std::cout << "Culling";

    drawCreatures();

    // The ground goes last, so that what stands on it hides much of it before it is shaded. With
    // GL_LESS the objects stay in front where depths tie, as when the ground came first.
    glDepthFunc(GL_LESS);
    ground->draw();
    glDepthFunc(GL_LEQUAL);
}

void Game::drawCreatures()
{
    // A software renderer pays for every triangle and fragment. Creature meshes are closed and face
    // outward, so their back faces never show; and creatures of a ring spawn stand on the same spots, where
    // strict depth shades the first one only. Together these leave all but a handful of pixels as they
    // were (tests compare both ways).
    if (creatureShortcuts) {
        if (mainPass)
            glEnable(GL_CULL_FACE);
        glDepthFunc(GL_LESS);
    }
    for (const std::unique_ptr<Animal>& creature : creatures) {
        if (creature && !isCulled(frustumPlanes, translationOf(creature->modelMatrix), creatureCullDistance))
            creature->draw();
    }
    glDisable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
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

// Over the finished scene and tested against its depths: what stands in front of the landing place hides
// the marker as it would hide the stone.
void Game::drawLandingMarker()
{
    if (!showLandingMarker || lifepoints == 0 || stoneController->landed)
        return;
    landingMarker->draw(stoneController->landingCells(), projView);
}

// The help is a panel of its own (drawPanel), so the HUD never writes its old five lines.
HudState Game::hudState() const
{
    HudState state{score, elapsed, lifepoints, frames.framesLastSecond, false, showFps};
    state.practice = screens && screens->practice();
    state.helpHint = firstGame && elapsed < Hud::helpHintSeconds && !showHelp && lifepoints > 0;
    return state;
}

void Game::drawHud()
{
    hudView->drawLines(Hud::lines(hudState()), {*scoreFont, *helpFont, *fontProgram});
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
    // The help says itself that the game is paused, so the pause panel stays away while it shows.
    const ScreenState shown = screen() == ScreenState::Paused && showHelp ? ScreenState::Playing : screen();
    screens->draw(shown, {*scoreFont, *helpFont, *fontProgram});
    drawHelp();
}

// F1: the keys and the goal over the game, until F1 again; the game-over panel has the screen to itself.
void Game::drawHelp()
{
    if (!showHelp || screen() == ScreenState::Over)
        return;
    hudView->drawPanel(HelpPanel::layout(helpEntries(bindings), paused), {*scoreFont, *helpFont, *fontProgram});
}
