#include "field/blocked_for_stones.hpp"

#include "render/model.hpp"

Model& BlockedForStones::model()
{
    static Model none("");
    return none;
}
