#pragma once
// Programs the creatures draw with; the game logic points them at the current program every frame.

class ShaderProgram;

extern ShaderProgram* beetleShader;
extern ShaderProgram* squirrelShader;
