#include "skinned_model.hpp"

namespace assetgen {

glm::mat4 Skeleton::bindGlobal(int joint) const
{
    glm::mat4 m = joints[joint].bindLocal;
    for (int p = joints[joint].parent; p >= 0; p = joints[p].parent)
        m = joints[p].bindLocal * m;
    return rootTransform * m;
}

} // namespace assetgen
