#pragma once
// Base of the model tests: the scene program, loaded once per suite with its traces kept out of the log,
// and an empty model cache before and after every test.

#include "render/model.hpp"
#include "render/shader_program.hpp"
#include "tests/render/render_test_support.hpp"

#include <gtest/gtest.h>

#include <memory>

class ModelFixture : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testing::internal::CaptureStdout();
        program = std::make_unique<ShaderProgram>(sourcePath("QUARVEL/Shader/basicvert.vert"),
                                                  sourcePath("QUARVEL/Shader/basicfrag.frag"));
        testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite() { program.reset(); }

    ModelFixture() { Model::clearCache(); }
    ~ModelFixture() override { Model::clearCache(); }

    static inline std::unique_ptr<ShaderProgram> program;
};
