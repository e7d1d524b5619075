#pragma once
// What the player sees over the scene: the game running, the pause panel or the game-over panel.

enum class ScreenState { Playing, Paused, Over };
