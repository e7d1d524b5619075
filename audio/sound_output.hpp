#pragma once
// The narrow door from the game to the sound layer: the game says what happened, never how it sounds.

#include "audio/sound_event.hpp"

#include <glm/glm.hpp>

#include <optional>

class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // A one-shot happening; ignored while muted.
    virtual void tell(const SoundEvent& event) = 0;
    // Where a squirrel gnaws now, or nothing: the gnawing loop runs only while there is a place.
    virtual void gnawingAt(std::optional<glm::vec3> where) = 0;
    // The listener's ear: position in world units, unit front and up vectors.
    virtual void listenFrom(glm::vec3 position, glm::vec3 front, glm::vec3 up) = 0;
    virtual void setMuted(bool muted) = 0;
    virtual bool muted() const = 0;
};
