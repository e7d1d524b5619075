#include "obj_writer.hpp"
#include "number_format.hpp"

#include <cmath>
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
        const auto cornerText = [&](uint32_t i) -> const std::string& {
            if (corners[i].empty()) {
                const Vertex& v = verts[i];
                const int p = positions.index(positionText[i]);
                const int t = uvs.index(join({v.uv.x, v.uv.y}, 3));
                const int n = normals.index(join({v.normal.x, v.normal.y, v.normal.z}, model.normalDecimals()));
                corners[i] = std::to_string(p) + "/" + std::to_string(t) + "/" + std::to_string(n);
            }
            return corners[i];
        };
        for (std::vector<uint32_t> face : part.polygons()) {
            // Corners that rounding puts on the same spot as their neighbour go; a face left with
            // fewer than three is a line and goes too.
            std::vector<uint32_t> kept;
            for (std::size_t k = 0; k < face.size(); ++k)
                if (positionText[face[k]] != positionText[face[(k + 1) % face.size()]])
                    kept.push_back(face[k]);
            if (kept.size() < 3)
                continue;
            faces << "f";
            for (uint32_t corner : kept)
                faces << ' ' << cornerText(corner);
            faces << "\n";
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

std::size_t writeObjModel(OutputFolder& out, const std::string& directory, const AssetModel& model)
{
    const std::string mtlFile = model.name() + ".mtl";
    const std::string text = objText(model, mtlFile);
    out.writeText(directory + "/" + model.name() + ".obj", text);
    out.writeText(directory + "/" + mtlFile, mtlText(model));
    for (const Material& m : model.materials())
        out.write(directory + "/" + m.textureFile(), m.texture.encodePng());
    std::size_t corners = 0;
    for (std::size_t at = text.find("\nf "); at != std::string::npos; at = text.find("\nf ", at + 1))
        for (std::size_t k = at + 1; k < text.size() && text[k] != '\n'; ++k)
            corners += text[k] == ' ';
    return corners;
}

} // namespace assetgen
