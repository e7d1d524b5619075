#pragma once
// Program used to draw stones and the chest; the game logic points it at the current program each frame.

class ShaderProgram;

extern ShaderProgram* stoneShader;
