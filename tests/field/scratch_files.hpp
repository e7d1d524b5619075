#pragma once
// Small files written for a test: a stone program from two tiny shaders, and stand-in model files.

#include "render/shader_program.hpp"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes text to a file under the folder, creating the folders on its way.
    std::string write(const std::string& relative, const std::string& text) const
    {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
        return file.string();
    }

private:
    std::filesystem::path path_;
};

// A program that uses exactly the two uniforms a stone draw sets: "model" and "stone_color".
inline std::unique_ptr<ShaderProgram> makeStoneTestProgram(const ScratchFolder& folder)
{
    const std::string vertex = folder.write("stone.vert", R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 model;
void main() { gl_Position = model * vec4(position, 1.0); }
)");
    const std::string fragment = folder.write("stone.frag", R"(#version 330 core
uniform vec4 stone_color;
out vec4 color;
void main() { color = stone_color; }
)");
    return std::make_unique<ShaderProgram>(vertex, fragment);
}

// One triangle: enough for the importer to give a model.
inline const char* triangleObj()
{
    return "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
}
