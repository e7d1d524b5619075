#include "soft_renderer.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace assetgen {
namespace {

const Image untextured;  // parts without a material are drawn light grey

float edge(glm::vec2 a, glm::vec2 b, glm::vec2 p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

glm::vec3 sampleTexture(const Image& texture, glm::vec2 uv)
{
    if (texture.width() == 0)
        return glm::vec3(0.8f);
    // Repeat, v upward as in the models' files: v = 0 is the bottom row.
    const float u = uv.x - std::floor(uv.x), v = uv.y - std::floor(uv.y);
    const int x = std::min(int(u * float(texture.width())), texture.width() - 1);
    const int y = std::min(int((1.0f - v) * float(texture.height())), texture.height() - 1);
    return texture.get(x, y);
}

} // namespace

SoftRenderer::SoftRenderer(int size, int samples)
    : size_(size), samples_(samples), width_(size * samples), depth_(size_t(width_) * size_t(width_), std::numeric_limits<float>::max()),
      colour_(size_t(width_) * size_t(width_), glm::vec3(0.0f)), covered_(size_t(width_) * size_t(width_), 0)
{
}

void SoftRenderer::setCamera(const glm::mat4& viewProjection)
{
    viewProjection_ = viewProjection;
}

void SoftRenderer::setLight(glm::vec3 towardLight, float ambient)
{
    towardLight_ = glm::normalize(towardLight);
    ambient_ = ambient;
}

SoftRenderer::ScreenVertex SoftRenderer::project(const Vertex& v, const glm::mat4& model, const glm::mat3& normalMatrix) const
{
    const glm::vec4 clip = viewProjection_ * model * glm::vec4(v.position, 1.0f);
    const float inverseW = 1.0f / clip.w;
    const glm::vec3 ndc = glm::vec3(clip) * inverseW;
    ScreenVertex s;
    s.screen = glm::vec3((ndc.x * 0.5f + 0.5f) * float(width_), (0.5f - ndc.y * 0.5f) * float(width_), ndc.z);
    s.inverseW = inverseW;
    s.normal = glm::normalize(normalMatrix * v.normal);
    s.uv = v.uv;
    return s;
}

void SoftRenderer::draw(const AssetModel& asset, const glm::mat4& model)
{
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    for (const Mesh& part : asset.parts()) {
        const Material* material = asset.findMaterial(part.material());
        const Image& texture = material ? material->texture : untextured;
        std::vector<ScreenVertex> projected;
        projected.reserve(part.vertices().size());
        for (const Vertex& v : part.vertices())
            projected.push_back(project(v, model, normalMatrix));
        const auto& indices = part.indices();
        for (std::size_t i = 0; i + 2 < indices.size(); i += 3)
            fillTriangle(projected[indices[i]], projected[indices[i + 1]], projected[indices[i + 2]], texture);
    }
}

glm::vec3 SoftRenderer::shade(glm::vec3 normal, glm::vec2 uv, const Image& texture) const
{
    const float diffuse = std::max(0.0f, glm::dot(normal, towardLight_));
    return sampleTexture(texture, uv) * std::min(1.0f, ambient_ + (1.0f - ambient_) * diffuse);
}

// Samples whose centre lies inside the triangle (either winding: the pictures are never culled),
// with depth, normal and uv interpolated perspective-correct.
void SoftRenderer::fillTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const Image& texture)
{
    const glm::vec2 pa(a.screen), pb(b.screen), pc(c.screen);
    const float area = edge(pa, pb, pc);
    if (std::fabs(area) < 1e-6f)
        return;
    const int x0 = std::max(0, int(std::floor(std::min({pa.x, pb.x, pc.x}))));
    const int x1 = std::min(width_ - 1, int(std::ceil(std::max({pa.x, pb.x, pc.x}))));
    const int y0 = std::max(0, int(std::floor(std::min({pa.y, pb.y, pc.y}))));
    const int y1 = std::min(width_ - 1, int(std::ceil(std::max({pa.y, pb.y, pc.y}))));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 p(float(x) + 0.5f, float(y) + 0.5f);
            const float wa = edge(pb, pc, p) / area, wb = edge(pc, pa, p) / area, wc = edge(pa, pb, p) / area;
            if (wa < 0.0f || wb < 0.0f || wc < 0.0f)
                continue;
            const float z = wa * a.screen.z + wb * b.screen.z + wc * c.screen.z;
            const std::size_t at = std::size_t(y) * std::size_t(width_) + std::size_t(x);
            if (z >= depth_[at] || z < -1.0f)
                continue;
            const float pa_ = wa * a.inverseW, pb_ = wb * b.inverseW, pc_ = wc * c.inverseW;
            const float sum = pa_ + pb_ + pc_;
            const glm::vec3 normal = glm::normalize((a.normal * pa_ + b.normal * pb_ + c.normal * pc_) / sum);
            const glm::vec2 uv = (a.uv * pa_ + b.uv * pb_ + c.uv * pc_) / sum;
            depth_[at] = z;
            colour_[at] = shade(normal, uv, texture);
            covered_[at] = 1;
        }
}

std::vector<uint8_t> SoftRenderer::resolve() const
{
    std::vector<uint8_t> rgba(std::size_t(size_) * std::size_t(size_) * 4, 0);
    const float perPixel = float(samples_ * samples_);
    for (int y = 0; y < size_; ++y)
        for (int x = 0; x < size_; ++x) {
            glm::vec3 sum(0.0f);
            int count = 0;
            for (int sy = 0; sy < samples_; ++sy)
                for (int sx = 0; sx < samples_; ++sx) {
                    const std::size_t at = std::size_t(y * samples_ + sy) * std::size_t(width_) + std::size_t(x * samples_ + sx);
                    if (covered_[at]) {
                        sum += colour_[at];
                        ++count;
                    }
                }
            if (count == 0)
                continue;
            const glm::vec3 c = sum / float(count);
            uint8_t* p = &rgba[(std::size_t(y) * std::size_t(size_) + std::size_t(x)) * 4];
            for (int i = 0; i < 3; ++i)
                p[i] = uint8_t(std::clamp(c[i], 0.0f, 1.0f) * 255.0f + 0.5f);
            p[3] = uint8_t(float(count) / perPixel * 255.0f + 0.5f);
        }
    return rgba;
}

} // namespace assetgen
