// Drawing stones, the chest and the ground against a real GL program: the uniforms each draw leaves.

#include "field/chest.hpp"
#include "field/plane2.hpp"
#include "field/playfield.hpp"
#include "field/stone_controller.hpp"
#include "field/stone_factory.hpp"
#include "field/stone_shader.hpp"
#include "tests/field/fake_food.hpp"
#include "tests/field/scratch_files.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

namespace {

class Drawing : public testing::Test {
protected:
    void SetUp() override
    {
        program = makeStoneTestProgram(folder);
        glUseProgram(program->id);
        stoneShader = program.get();
    }
    void TearDown() override
    {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        stoneShader = nullptr;
        glUseProgram(0);
    }

    glm::mat4 modelUniform() const
    {
        glm::mat4 value(0.0f);
        glGetUniformfv(program->id, program->uniform("model"), glm::value_ptr(value));
        return value;
    }
    glm::vec4 colorUniform() const
    {
        glm::vec4 value(0.0f);
        glGetUniformfv(program->id, program->uniform("stone_color"), glm::value_ptr(value));
        return value;
    }

    ScratchFolder folder{"quarvel-field-drawing"};
    std::unique_ptr<ShaderProgram> program;
};

glm::mat4 placedScaled(const glm::vec3& at, float scale)
{
    return glm::scale(glm::translate(glm::mat4(1.0f), at), glm::vec3(scale));
}

TEST_F(Drawing, StoneDrawSetsItsColourAndItsPlaceAtThePivot)
{
    struct Case {
        int r;
        glm::vec4 color;
    };
    const Case cases[] = {{0, {1, 0, 0, 1}}, {1, {1, 1, 0, 1}}, {2, {0, 1, 0, 1}}, {3, {0, 1, 0, 1}},
                          {4, {0, 1, 0, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        Playfield field;
        StoneController controller(field, vosk::scene::makeStone(c.r), {300, 450.5f, 600});
        controller.rotateAboutX();
        controller.draw();
        EXPECT_EQ(colorUniform(), c.color);
        const glm::mat4 placed = controller.stone->modelMatrix;
        EXPECT_EQ(modelUniform(), placed);
        EXPECT_EQ(glm::vec3(placed[3]), controller.cells[0] + controller.stone->drawOffset());
        EXPECT_EQ(placed[3].w, 1.0f);
    }
}

TEST_F(Drawing, FallingStonesAreDrawnWhereTheyFall)
{
    Playfield field;
    placeFood(field, {{2, 2, 0}});
    placeFood(field, {{2, 2, 1}});
    placeFood(field, {{3, 3, 0}});
    placeFood(field, {{3, 3, 1}});
    testing::internal::CaptureStdout();
    field.removeStone(2, 0, 2);
    field.removeStone(3, 0, 3);
    field.update(0.5f);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(field.fallingStones.size(), 2u);
    field.drawFallingStones();
    for (const auto& controller : field.fallingStones)
        EXPECT_EQ(glm::vec3(controller->stone->modelMatrix[3]), controller->cells[0]);
    EXPECT_EQ(glm::vec3(modelUniform()[3]), glm::vec3(300, 50, 300)); // the last one drawn
}

TEST_F(Drawing, ChestDrawsItsPiecesAndKeepsTheStoneColour)
{
    Chest chest;
    glUniform4f(program->uniform("stone_color"), 0.25f, 0.5f, 0.75f, 1.0f);
    chest.draw();
    EXPECT_EQ(modelUniform(), placedScaled({700, 0, 680}, 100)); // necklace, drawn last
    EXPECT_EQ(colorUniform(), glm::vec4(0.25f, 0.5f, 0.75f, 1.0f));
    for (int lost = 0; lost < 4; ++lost)
        chest.removeLastTreasure();
    chest.draw();
    EXPECT_EQ(modelUniform(), placedScaled({700, -20, 680}, 100)); // only the crown is left
    chest.removeLastTreasure();
    chest.draw();
    EXPECT_EQ(modelUniform(), chest.modelMatrix); // an empty chest draws itself only
}

TEST_F(Drawing, GroundDrawsWithItsOwnProgram)
{
    Plane2 ground(1500, 1500);
    ground.shader = program.get();
    stoneShader = nullptr; // the ground never reaches for the stones' program
    ground.draw();
    EXPECT_EQ(modelUniform(), ground.modelMatrix);
}

} // namespace
