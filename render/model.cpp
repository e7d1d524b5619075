// Placeholder until the model loader lands.
#include "render/model.hpp"

struct Model::Data {};

Model::Model(const std::string&) : data_(std::make_shared<Data>()) {}
void Model::draw(const ShaderProgram&) {}
bool Model::empty() const { return true; }
