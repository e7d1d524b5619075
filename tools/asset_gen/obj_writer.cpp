#include "obj_writer.hpp"
#include "number_format.hpp"

#include <array>
#include <cmath>
#include <optional>
#include <map>
#include <stdexcept>
#include <sstream>

namespace assetgen {
namespace {

// Numbers the distinct lines of one kind ("v", "vt", "vn") in order of first use (1-based).
class LineTable {
public:
    explicit LineTable(std::string prefix) : prefix_(std::move(prefix)) {}
    int index(const std::string& values)
    {
        const auto [it, added] = numbers_.emplace(values, int(lines_.size()) + 1);
        if (added)
            lines_.push_back(prefix_ + " " + values + "\n");
        return it->second;
    }
    void print(std::ostream& out) const
    {
        for (const std::string& line : lines_)
            out << line;
    }

private:
    std::string prefix_;
    std::map<std::string, int> numbers_;
    std::vector<std::string> lines_;
};

std::string join(std::initializer_list<float> values, int decimals)
{
    std::string s;
    for (float v : values) {
        if (!std::isfinite(v))
            throw std::logic_error("a vertex value is not a finite number");
        if (!s.empty())
            s += ' ';
        s += formatNumber(v, decimals);
    }
    return s;
}

std::string vectorText(glm::vec3 c) { return formatNumber(c.r, 3) + " " + formatNumber(c.g, 3) + " " + formatNumber(c.b, 3); }

// Two triangles that together form a convex quad fanned from their shared first corner, written as
// one quad: an importer that triangulates (fanning from the first corner) gets the same two back.
std::optional<std::array<uint32_t, 4>> mergedQuad(const std::vector<Vertex>& verts, const uint32_t* t)
{
    std::optional<std::array<uint32_t, 4>> quad;
    if (t[3] != t[0])
        return quad;
    if (t[4] == t[2] && t[5] != t[1])
        quad = std::array<uint32_t, 4>{t[0], t[1], t[2], t[5]};  // (p q r) (p r s)
    else if (t[5] == t[1] && t[4] != t[2])
        quad = std::array<uint32_t, 4>{t[0], t[4], t[1], t[2]};  // (p q r) (p s q)
    if (!quad)
        return quad;
    glm::vec3 normal(0.0f);
    for (int k = 0; k < 4; ++k)
        normal += glm::cross(verts[(*quad)[k]].position, verts[(*quad)[(k + 1) % 4]].position);
    for (int k = 0; k < 4; ++k) {  // every corner must turn the same way: convex
        const glm::vec3 a = verts[(*quad)[k]].position, b = verts[(*quad)[(k + 1) % 4]].position;
        const glm::vec3 c = verts[(*quad)[(k + 2) % 4]].position;
        if (glm::dot(glm::cross(b - a, c - b), normal) <= 0.0f)
            return std::nullopt;
    }
    return quad;
}

} // namespace

std::string objText(const AssetModel& model, const std::string& mtlFile)
{
    LineTable positions("v"), uvs("vt"), normals("vn");
    std::ostringstream faces;
    for (const Mesh& part : model.parts()) {
        faces << "usemtl " << part.material() << "\n";
        // Lines only for the vertices that faces use, numbered in order of first use.
        const auto& verts = part.vertices();
        std::vector<std::string> corners(verts.size());
        std::vector<std::string> positionText(verts.size());
        for (std::size_t i = 0; i < verts.size(); ++i)
            positionText[i] = join({verts[i].position.x, verts[i].position.y, verts[i].position.z}, model.positionDecimals());
        const auto corner = [&](uint32_t i) -> const std::string& {
            if (corners[i].empty()) {
                const Vertex& v = verts[i];
                const int p = positions.index(positionText[i]);
                const int t = uvs.index(join({v.uv.x, v.uv.y}, 3));
                const int n = normals.index(join({v.normal.x, v.normal.y, v.normal.z}, model.normalDecimals()));
                corners[i] = std::to_string(p) + "/" + std::to_string(t) + "/" + std::to_string(n);
            }
            return corners[i];
        };
        const auto collapsed = [&](uint32_t a, uint32_t b, uint32_t c) {  // rounding made it a line
            return positionText[a] == positionText[b] || positionText[b] == positionText[c] || positionText[a] == positionText[c];
        };
        const auto& idx = part.indices();
        for (std::size_t i = 0; i + 2 < idx.size(); i += 3) {
            if (collapsed(idx[i], idx[i + 1], idx[i + 2]))
                continue;
            if (i + 5 < idx.size()) {
                const auto quad = mergedQuad(verts, &idx[i]);
                if (quad && !collapsed(idx[i + 3], idx[i + 4], idx[i + 5])) {
                    faces << "f " << corner((*quad)[0]) << ' ' << corner((*quad)[1]) << ' ' << corner((*quad)[2]) << ' '
                          << corner((*quad)[3]) << "\n";
                    i += 3;
                    continue;
                }
            }
            faces << "f " << corner(idx[i]) << ' ' << corner(idx[i + 1]) << ' ' << corner(idx[i + 2]) << "\n";
        }
    }
    std::ostringstream out;
    out << "# Quarvel model " << model.name() << ", made by quarvel_assetgen\n";
    out << "mtllib " << mtlFile << "\n";
    out << "o " << model.name() << "\n";
    positions.print(out);
    uvs.print(out);
    normals.print(out);
    out << faces.str();
    return out.str();
}

std::string mtlText(const AssetModel& model)
{
    std::ostringstream out;
    out << "# Materials of " << model.name() << ", made by quarvel_assetgen\n";
    for (const Material& m : model.materials()) {
        out << "\nnewmtl " << m.name << "\n";
        out << "Ka 1 1 1\nKd 1 1 1\n";
        out << "Ks " << vectorText(m.specular) << "\n";
        out << "Ns " << formatNumber(m.shininess, 1) << "\n";
        out << "d 1\nillum 2\n";
        out << "map_Kd " << m.textureFile() << "\n";
    }
    return out.str();
}

void writeObjModel(OutputFolder& out, const std::string& directory, const AssetModel& model)
{
    const std::string mtlFile = model.name() + ".mtl";
    out.writeText(directory + "/" + model.name() + ".obj", objText(model, mtlFile));
    out.writeText(directory + "/" + mtlFile, mtlText(model));
    for (const Material& m : model.materials())
        out.write(directory + "/" + m.textureFile(), m.texture.encodePng());
}

} // namespace assetgen
