#include "app/launch_settings.hpp"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtx/rotate_vector.hpp>
#include <glm/gtx/string_cast.hpp>

#include <sstream>

namespace {

template <typename T>
bool extract(const char* argument, T& value)
{
    std::istringstream stream(argument);
    stream >> value;
    return !(stream.fail() || stream.bad());
}

} // namespace

std::string LaunchSettings::parse(int argc, const char* const* argv, std::ostream& trace)
{
    if (argc < 3)
        return {};
    trace << "You are executing '" << argv[0] << "'" << std::endl;
    if (!extract(argv[1], width))
        return "ERROR: Could not parse first command-line-argument as integer.";
    if (!extract(argv[2], height))
        return "ERROR: Could not parse second command-line-argument as integer.";
    if (argc >= 4 && !extract(argv[3], fullscreen))
        return "ERROR: Could not parse third command-line-argument as integer.";
    return {};
}

void writeStartupVectors(std::ostream& out)
{
    constexpr float threeQuarterTurn = 4.712389f; // radians
    const glm::vec3 yAxis(0.0f, 1.0f, 0.0f);

    glm::mat4 a = glm::translate(glm::mat4(1.0f), glm::vec3(-100.0f, 0.0f, 200.0f));
    glm::mat4 m = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -100.0f));
    m = glm::rotate(m, threeQuarterTurn, yAxis);
    m = glm::translate(m, glm::vec3(0.0f, 0.0f, 100.0f));

    out << glm::to_string(a[3]);
    a = a * m;
    out << glm::to_string(a[3]);
    out << glm::to_string(glm::rotate(glm::vec3(-100.0f, 0.0f, 200.0f), threeQuarterTurn, yAxis));
}
