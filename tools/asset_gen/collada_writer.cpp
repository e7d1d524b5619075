#include "collada_writer.hpp"
#include "number_format.hpp"

#include <sstream>

namespace assetgen {
namespace {

// COLLADA stores matrices row by row (translation in the fourth column).
std::string matrixText(const glm::mat4& m)
{
    std::string s;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            if (!s.empty())
                s += ' ';
            s += formatNumber(m[column][row], 6);
        }
    return s;
}

void floatSource(std::ostream& out, const std::string& id, const std::vector<float>& values, int stride,
                 const std::vector<std::string>& params, int decimals = 4)
{
    const std::string type = "float";
    out << "        <source id=\"" << id << "\">\n          <float_array id=\"" << id << "-array\" count=\"" << values.size()
        << "\">";
    for (std::size_t i = 0; i < values.size(); ++i)
        out << (i ? " " : "") << formatNumber(values[i], decimals);
    out << "</float_array>\n          <technique_common>\n            <accessor source=\"#" << id << "-array\" count=\""
        << values.size() / stride << "\" stride=\"" << stride << "\">\n";
    for (const std::string& p : params)
        out << "              <param name=\"" << p << "\" type=\"" << type << "\"/>\n";
    out << "            </accessor>\n          </technique_common>\n        </source>\n";
}

void nameSource(std::ostream& out, const std::string& id, const std::vector<std::string>& names, const std::string& param)
{
    out << "        <source id=\"" << id << "\">\n          <Name_array id=\"" << id << "-array\" count=\"" << names.size() << "\">";
    for (std::size_t i = 0; i < names.size(); ++i)
        out << (i ? " " : "") << names[i];
    out << "</Name_array>\n          <technique_common>\n            <accessor source=\"#" << id << "-array\" count=\""
        << names.size() << "\" stride=\"1\">\n              <param name=\"" << param
        << "\" type=\"name\"/>\n            </accessor>\n          </technique_common>\n        </source>\n";
}

void matrixSource(std::ostream& out, const std::string& id, const std::vector<glm::mat4>& matrices, const std::string& param)
{
    out << "        <source id=\"" << id << "\">\n          <float_array id=\"" << id << "-array\" count=\"" << matrices.size() * 16
        << "\">";
    for (std::size_t i = 0; i < matrices.size(); ++i)
        out << (i ? " " : "") << matrixText(matrices[i]);
    out << "</float_array>\n          <technique_common>\n            <accessor source=\"#" << id << "-array\" count=\""
        << matrices.size() << "\" stride=\"16\">\n              <param name=\"" << param
        << "\" type=\"float4x4\"/>\n            </accessor>\n          </technique_common>\n        </source>\n";
}

void writeMaterial(std::ostream& out, const Material& m)
{
    out << "  <library_images>\n    <image id=\"" << m.name << "-image\" name=\"" << m.name << "\"><init_from>" << m.textureFile()
        << "</init_from></image>\n  </library_images>\n";
    out << "  <library_effects>\n    <effect id=\"" << m.name << "-effect\">\n      <profile_COMMON>\n"
        << "        <newparam sid=\"" << m.name << "-surface\"><surface type=\"2D\"><init_from>" << m.name
        << "-image</init_from></surface></newparam>\n"
        << "        <newparam sid=\"" << m.name << "-sampler\"><sampler2D><source>" << m.name
        << "-surface</source></sampler2D></newparam>\n"
        << "        <technique sid=\"common\">\n          <phong>\n"
        << "            <diffuse><texture texture=\"" << m.name << "-sampler\" texcoord=\"UVMap\"/></diffuse>\n"
        << "            <specular><color>" << formatNumber(m.specular.r, 3) << ' ' << formatNumber(m.specular.g, 3) << ' '
        << formatNumber(m.specular.b, 3) << " 1</color></specular>\n"
        << "            <shininess><float>" << formatNumber(m.shininess, 1) << "</float></shininess>\n"
        << "          </phong>\n        </technique>\n      </profile_COMMON>\n    </effect>\n  </library_effects>\n";
    out << "  <library_materials>\n    <material id=\"" << m.name << "-material\" name=\"" << m.name
        << "\"><instance_effect url=\"#" << m.name << "-effect\"/></material>\n  </library_materials>\n";
}

void writeGeometry(std::ostream& out, const SkinnedModel& model)
{
    const auto& verts = model.mesh.vertices();
    std::vector<float> positions, normals, uvs;
    for (const Vertex& v : verts) {
        positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
        normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
        uvs.insert(uvs.end(), {v.uv.x, v.uv.y});
    }
    const std::string g = model.name + "-mesh";
    out << "  <library_geometries>\n    <geometry id=\"" << g << "\" name=\"" << model.name << "\">\n      <mesh>\n";
    floatSource(out, g + "-positions", positions, 3, {"X", "Y", "Z"});
    floatSource(out, g + "-normals", normals, 3, {"X", "Y", "Z"}, 3);
    floatSource(out, g + "-uvs", uvs, 2, {"S", "T"});
    out << "        <vertices id=\"" << g << "-vertices\"><input semantic=\"POSITION\" source=\"#" << g
        << "-positions\"/></vertices>\n";
    // Polygons as the mesh keeps them (an importer gives every corner a vertex, so fewer corners
    // draw faster); corners that rounding puts on their neighbour's spot go, and faces left as lines.
    std::vector<std::string> positionText;
    for (const Vertex& v : verts)
        positionText.push_back(formatNumber(v.position.x, 4) + ' ' + formatNumber(v.position.y, 4) + ' ' +
                               formatNumber(v.position.z, 4));
    std::ostringstream counts, corners;
    std::size_t faceCount = 0;
    for (const std::vector<uint32_t>& face : model.mesh.polygons()) {
        std::vector<uint32_t> kept;
        for (std::size_t k = 0; k < face.size(); ++k)
            if (positionText[face[k]] != positionText[face[(k + 1) % face.size()]])
                kept.push_back(face[k]);
        if (kept.size() < 3)
            continue;
        counts << (faceCount++ ? " " : "") << kept.size();
        for (uint32_t corner : kept)
            corners << (corners.tellp() > 0 ? " " : "") << corner;
    }
    out << "        <polylist material=\"" << model.material.name << "\" count=\"" << faceCount << "\">\n"
        << "          <input semantic=\"VERTEX\" source=\"#" << g << "-vertices\" offset=\"0\"/>\n"
        << "          <input semantic=\"NORMAL\" source=\"#" << g << "-normals\" offset=\"0\"/>\n"
        << "          <input semantic=\"TEXCOORD\" source=\"#" << g << "-uvs\" offset=\"0\" set=\"0\"/>\n"
        << "          <vcount>" << counts.str() << "</vcount>\n          <p>" << corners.str() << "</p>\n"
        << "        </polylist>\n      </mesh>\n    </geometry>\n  </library_geometries>\n";
}

void writeSkin(std::ostream& out, const SkinnedModel& model)
{
    const Skeleton& s = model.skeleton;
    std::vector<std::string> names;
    std::vector<glm::mat4> inverseBinds;
    for (std::size_t j = 0; j < s.joints.size(); ++j) {
        names.push_back(s.joints[j].name);
        inverseBinds.push_back(glm::inverse(s.bindGlobal(int(j))));
    }
    std::vector<float> weightValues;
    std::ostringstream counts, pairs;
    for (std::size_t v = 0; v < model.weights.size(); ++v) {
        int used = 0;
        for (int k = 0; k < maxInfluences; ++k) {
            if (model.weights[v].weights[k] <= 0.0f)
                continue;
            pairs << (pairs.tellp() > 0 ? " " : "") << model.weights[v].bones[k] << ' ' << weightValues.size();
            weightValues.push_back(model.weights[v].weights[k]);
            ++used;
        }
        counts << (v ? " " : "") << used;
    }
    const std::string c = model.name + "-skin";
    out << "  <library_controllers>\n    <controller id=\"" << c << "\" name=\"" << model.name << "\">\n      <skin source=\"#"
        << model.name << "-mesh\">\n        <bind_shape_matrix>" << matrixText(glm::mat4(1.0f)) << "</bind_shape_matrix>\n";
    nameSource(out, c + "-joints", names, "JOINT");
    matrixSource(out, c + "-bind-poses", inverseBinds, "TRANSFORM");
    floatSource(out, c + "-weights", weightValues, 1, {"WEIGHT"});
    out << "        <joints>\n          <input semantic=\"JOINT\" source=\"#" << c << "-joints\"/>\n"
        << "          <input semantic=\"INV_BIND_MATRIX\" source=\"#" << c << "-bind-poses\"/>\n        </joints>\n"
        << "        <vertex_weights count=\"" << model.weights.size() << "\">\n"
        << "          <input semantic=\"JOINT\" source=\"#" << c << "-joints\" offset=\"0\"/>\n"
        << "          <input semantic=\"WEIGHT\" source=\"#" << c << "-weights\" offset=\"1\"/>\n"
        << "          <vcount>" << counts.str() << "</vcount>\n          <v>" << pairs.str() << "</v>\n"
        << "        </vertex_weights>\n      </skin>\n    </controller>\n  </library_controllers>\n";
}

// All channels in one animation element, so importers see a single animation.
void writeAnimation(std::ostream& out, const SkinnedModel& model)
{
    const Skeleton& s = model.skeleton;
    out << "  <library_animations>\n    <animation id=\"" << model.name << "-loop\" name=\"loop\">\n";
    for (const Joint& j : s.joints) {
        if (j.keys.empty())
            continue;
        const std::string a = j.name + "-anim";
        floatSource(out, a + "-input", s.keyTimes, 1, {"TIME"}, 6);
        matrixSource(out, a + "-output", j.keys, "TRANSFORM");
        nameSource(out, a + "-interpolation", std::vector<std::string>(s.keyTimes.size(), "LINEAR"), "INTERPOLATION");
        out << "        <sampler id=\"" << a << "-sampler\">\n"
            << "          <input semantic=\"INPUT\" source=\"#" << a << "-input\"/>\n"
            << "          <input semantic=\"OUTPUT\" source=\"#" << a << "-output\"/>\n"
            << "          <input semantic=\"INTERPOLATION\" source=\"#" << a << "-interpolation\"/>\n        </sampler>\n"
            << "        <channel source=\"#" << a << "-sampler\" target=\"" << j.name << "/transform\"/>\n";
    }
    out << "    </animation>\n  </library_animations>\n";
}

void writeJoint(std::ostream& out, const Skeleton& s, int j, int depth)
{
    const std::string pad(std::size_t(6 + 2 * depth), ' ');
    const Joint& joint = s.joints[j];
    out << pad << "<node id=\"" << joint.name << "\" name=\"" << joint.name << "\" sid=\"" << joint.name << "\" type=\"JOINT\">\n"
        << pad << "  <matrix sid=\"transform\">" << matrixText(joint.bindLocal) << "</matrix>\n";
    for (std::size_t c = 0; c < s.joints.size(); ++c)
        if (s.joints[c].parent == j)
            writeJoint(out, s, int(c), depth + 1);
    out << pad << "</node>\n";
}

void writeScene(std::ostream& out, const SkinnedModel& model)
{
    const Skeleton& s = model.skeleton;
    out << "  <library_visual_scenes>\n    <visual_scene id=\"scene\" name=\"scene\">\n"
        << "      <node id=\"" << s.rootName << "\" name=\"" << s.rootName << "\" type=\"NODE\">\n"
        << "        <matrix sid=\"transform\">" << matrixText(s.rootTransform) << "</matrix>\n";
    for (std::size_t j = 0; j < s.joints.size(); ++j)
        if (s.joints[j].parent < 0)
            writeJoint(out, s, int(j), 2);
    out << "      </node>\n";
    std::string rootJoint;
    for (const Joint& j : s.joints)
        if (j.parent < 0 && rootJoint.empty())
            rootJoint = j.name;
    out << "      <node id=\"" << model.name << "\" name=\"" << model.name << "\" type=\"NODE\">\n"
        << "        <matrix sid=\"transform\">" << matrixText(glm::mat4(1.0f)) << "</matrix>\n"
        << "        <instance_controller url=\"#" << model.name << "-skin\">\n          <skeleton>#" << rootJoint << "</skeleton>\n"
        << "          <bind_material><technique_common><instance_material symbol=\"" << model.material.name
        << "\" target=\"#" << model.material.name
        << "-material\"><bind_vertex_input semantic=\"UVMap\" input_semantic=\"TEXCOORD\" input_set=\"0\"/>"
        << "</instance_material></technique_common></bind_material>\n"
        << "        </instance_controller>\n      </node>\n    </visual_scene>\n  </library_visual_scenes>\n"
        << "  <scene><instance_visual_scene url=\"#scene\"/></scene>\n";
}

} // namespace

std::string colladaText(const SkinnedModel& model)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        << "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
        << "  <asset>\n    <contributor><authoring_tool>quarvel_assetgen</authoring_tool></contributor>\n"
        << "    <unit name=\"meter\" meter=\"1\"/>\n    <up_axis>Y_UP</up_axis>\n  </asset>\n";
    writeMaterial(out, model.material);
    writeGeometry(out, model);
    writeSkin(out, model);
    writeAnimation(out, model);
    writeScene(out, model);
    out << "</COLLADA>\n";
    return out.str();
}

std::size_t writeColladaModel(OutputFolder& out, const std::string& directory, const SkinnedModel& model)
{
    const std::string text = colladaText(model);
    out.writeText(directory + "/" + model.name + ".dae", text);
    out.write(directory + "/" + model.material.textureFile(), model.material.texture.encodePng());
    const std::size_t from = text.find("<vcount>") + 8, to = text.find("</vcount>");
    std::istringstream counts(text.substr(from, to - from));
    std::size_t corners = 0;
    for (std::size_t n = 0; counts >> n;)
        corners += n;
    return corners;
}

} // namespace assetgen
