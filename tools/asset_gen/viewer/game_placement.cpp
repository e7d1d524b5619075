#include "game_placement.hpp"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <string>

namespace assetview {

glm::mat4 groundMatrix()
{
    glm::mat4 m = glm::scale(glm::mat4(1.0f), glm::vec3(33, 1, 32));
    m = glm::translate(m, glm::vec3(-1.4f, 0.0f, -0.34f));
    return glm::translate(m, glm::vec3(22, 0, 22));
}

glm::mat4 treesMatrix()
{
    glm::mat4 m = glm::scale(glm::mat4(1.0f), glm::vec3(30.0f));
    m[3] = glm::vec4(700, -1, 680, 1);
    return m;
}

glm::mat4 chestMatrix() { return glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(700, 0, 680)), glm::vec3(100.0f)); }

glm::mat4 crownMatrix() { return glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(700, -20, 680)), glm::vec3(100.0f)); }

glm::mat4 beetleMatrix(glm::vec3 position, float heading)
{
    const glm::mat4 m = glm::rotate(glm::translate(glm::mat4(1.0f), position), heading, glm::vec3(0, 1, 0));
    return glm::scale(m, glm::vec3(16.0f));
}

glm::mat4 squirrelMatrix(glm::vec3 position, float heading)
{
    glm::mat4 m = glm::rotate(glm::translate(glm::mat4(1.0f), position), heading, glm::vec3(0, 1, 0));
    m = glm::scale(m, glm::vec3(7.0f));
    m = glm::translate(m, glm::vec3(0, 25, 0));
    return glm::rotate(m, glm::half_pi<float>(), glm::vec3(1, 0, 0));
}

TurnedStone turnStone(glm::vec3 pivot, glm::vec3 scale, glm::vec3 baseOffset, glm::vec3 centre,
                      const std::vector<glm::vec3>& baseCells, const std::string& turns)
{
    glm::mat4 pivotRotation(1.0f);
    glm::mat4 model = glm::scale(glm::mat4(1.0f), scale);
    for (char t : turns) {
        const glm::vec3 axis = t == 'x' ? glm::vec3(1, 0, 0) : glm::vec3(0, 0, 1);
        pivotRotation = glm::translate(pivotRotation, centre);
        pivotRotation = glm::rotate(pivotRotation, glm::half_pi<float>(), axis);
        pivotRotation = glm::translate(pivotRotation, -centre);
        model = glm::rotate(model, glm::half_pi<float>(), axis);
    }
    glm::mat4 turnOnly = pivotRotation;
    turnOnly[3] = glm::vec4(0, 0, 0, 1);
    TurnedStone stone;
    for (const glm::vec3& c : baseCells)
        stone.cells.push_back(pivot + glm::round(glm::vec3(turnOnly * glm::vec4(c, 1.0f))));
    const glm::vec3 offset = glm::vec3(pivotRotation[3]) + baseOffset;
    model[3] = glm::vec4(pivot + offset, 1.0f);
    stone.model = model;
    return stone;
}

std::vector<glm::vec3> cellEdges(glm::vec3 c)
{
    const glm::vec3 lo = c + glm::vec3(-50, 0, -50), hi = c + glm::vec3(50, 100, 50);
    std::vector<glm::vec3> s;
    for (int i = 0; i < 4; ++i) {
        const float x0 = (i & 1) ? hi.x : lo.x, z0 = (i & 2) ? hi.z : lo.z;
        s.insert(s.end(), {{x0, lo.y, z0}, {x0, hi.y, z0}});                         // uprights
        s.insert(s.end(), {{lo.x, (i & 1) ? hi.y : lo.y, z0}, {hi.x, (i & 1) ? hi.y : lo.y, z0}});  // along x
        s.insert(s.end(), {{x0, (i & 2) ? hi.y : lo.y, lo.z}, {x0, (i & 2) ? hi.y : lo.y, hi.z}});  // along z
    }
    return s;
}

ViewCamera playerCamera(float aspect)
{
    ViewCamera c;
    c.position = glm::vec3(706, 1500, -550);
    const float yaw = glm::radians(90.0f), pitch = glm::radians(-50.0f);
    const glm::vec3 front = glm::normalize(glm::vec3(std::cos(yaw) * std::cos(pitch), std::sin(pitch),
                                                     std::sin(yaw) * std::cos(pitch)));
    const glm::vec3 right = glm::normalize(glm::cross(front, glm::vec3(0, 1, 0)));
    c.view = glm::lookAt(c.position, c.position + front, glm::cross(right, front));
    const float t = float(std::tan(45.0 * 0.5));  // the game takes its zoom of 45 as radians
    c.projection = glm::mat4(0.0f);
    c.projection[0][0] = 1.0f / (t * aspect);
    c.projection[1][1] = 1.0f / t;
    c.projection[2][2] = -1.0010005f;
    c.projection[2][3] = -1.0f;
    c.projection[3][2] = -20.010006f;
    return c;
}

ViewCamera orbitCamera(glm::vec3 target, float distance, float yaw, float pitch, float fov, float aspect)
{
    ViewCamera c;
    const float y = glm::radians(yaw), p = glm::radians(pitch);
    c.position = target + distance * glm::vec3(std::cos(p) * std::sin(y), std::sin(p), -std::cos(p) * std::cos(y));
    c.view = glm::lookAt(c.position, target, glm::vec3(0, 1, 0));
    c.projection = glm::perspective(glm::radians(fov), aspect, distance * 0.02f, distance * 6.0f);
    return c;
}

SunLight sunFor(glm::vec3 centre, float radius, glm::vec3 towardLight)
{
    SunLight s;
    s.towardLight = glm::normalize(towardLight);
    const glm::vec3 eye = centre + s.towardLight * radius * 2.0f;
    const glm::vec3 up = std::abs(s.towardLight.y) > 0.99f ? glm::vec3(0, 0, 1) : glm::vec3(0, 1, 0);
    s.shadowView = glm::lookAt(eye, centre, up);
    s.shadowProjection = glm::ortho(-radius, radius, -radius, radius, radius * 0.5f, radius * 3.5f);
    return s;
}

} // namespace assetview
