#pragma once
// Fills a vertex's four bone slots from the list of bones that move it.

#include "assets/vertex.hpp"

#include <vector>

struct BoneInfluence {
    int bone = 0;       // index in the mesh's bone list
    float weight = 0.0f;
};

// Up to four influences go into the slots in list order. With more, the four strongest are kept and
// rescaled to the total weight of all of them, so the vertex still moves as far.
void storeInfluences(Vertex& vertex, std::vector<BoneInfluence> influences);
