// The particle simulation: emission, pool reuse, countdown, motion, sort order, no allocation.

#include "effects/particle_shared.hpp"
#include "effects/particle_system.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

// Counts every allocation of this test process, to show that an update allocates nothing.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr float frame = 0.016f; // seconds

std::unique_ptr<ParticleSystem> newBurst(int x = 100, int y = 0, int z = -200)
{
    auto burst = std::make_unique<ParticleSystem>(x, y, z);
    burst->initBuffers();
    return burst;
}

int aliveCount(const ParticleSystem& burst)
{
    return static_cast<int>(std::count_if(burst.particles.begin(), burst.particles.end(),
                                          [](const Particle& p) { return p.life > 0.0f; }));
}

// Particles whose life says they were emitted in the last update of the given step.
int freshCount(const ParticleSystem& burst, float dt)
{
    const float fresh = ParticleSystem::lifetime - dt;
    return static_cast<int>(std::count_if(burst.particles.begin(), burst.particles.end(),
                                          [fresh](const Particle& p) { return p.life == fresh; }));
}

TEST(ParticleSystem, FirstUpdateEmits160RedParticlesFromTheEmitter)
{
    auto burst = newBurst();
    EXPECT_EQ(burst->countdown, 1500);
    burst->update(frame);
    EXPECT_EQ(burst->countdown, 1499);
    EXPECT_EQ(burst->lastUsed, 159);
    EXPECT_EQ(burst->instanceCount, 160);
    ASSERT_EQ(aliveCount(*burst), 160);

    const glm::vec3 emitter(100, 0, -200);
    for (int i = 0; i < 160; ++i) {
        const Particle& p = burst->particles[i];
        EXPECT_EQ(p.life, 5.0f - frame);
        // Moved with the speed after gravity, then lifted by the drift.
        const glm::vec3 expected = emitter + p.speed * frame + glm::vec3(0.0f, 10.0f * frame, 0.0f);
        EXPECT_NEAR(glm::distance(p.position, expected), 0.0f, 1e-4f);
        EXPECT_NEAR(glm::length(glm::vec2(p.speed.x, p.speed.z)), 50.0f, 2.2f);
        EXPECT_LE(std::abs(p.speed.y - 1.0f + 9.81f * 0.5f * frame), 1.5f);
        EXPECT_TRUE(p.r >= 100 && p.r < 250 && p.g < 10 && p.b < 10 && p.a <= 85) << i;
        EXPECT_TRUE(p.size >= 0.1f && p.size < 0.6f);
        if (i > 0) {
            EXPECT_GE(burst->particles[i - 1].cameraDistance, p.cameraDistance); // back to front
        }
    }
    EXPECT_EQ(burst->particles[160].cameraDistance, -1.0f);

    // The spiral has turned by 0.1 rad about y for each of the 160 particles.
    const glm::vec3 turned(50.0f * std::cos(16.0f), 1.0f, -50.0f * std::sin(16.0f));
    EXPECT_NEAR(glm::distance(burst->mainDirection, turned), 0.0f, 0.01f);

    // Every staged entry is one of the live particles.
    for (int k = 0; k < 160; ++k) {
        const float* at = &positionSizeData[4 * k];
        const glm::vec4 staged(at[0], at[1], at[2], at[3]);
        const auto isStaged = [&](const Particle& p) { return glm::vec4(p.position, p.size) == staged; };
        const auto match = std::find_if(burst->particles.begin(), burst->particles.begin() + 160, isStaged);
        ASSERT_NE(match, burst->particles.begin() + 160) << k;
        EXPECT_EQ(colorData[4 * k], match->r);
        EXPECT_EQ(colorData[4 * k + 3], match->a);
    }
}

TEST(ParticleSystem, ZeroStepEmitsNothingAndStagesTheSameParticles)
{
    auto burst = newBurst();
    burst->update(frame);
    const auto before = burst->particles;
    burst->update(0.0f);
    EXPECT_EQ(burst->countdown, 1499);
    EXPECT_EQ(burst->instanceCount, 160);
    EXPECT_EQ(burst->lastUsed, 159);
    for (int i = 0; i < 160; ++i) {
        EXPECT_EQ(burst->particles[i].position, before[i].position);
        EXPECT_EQ(burst->particles[i].life, before[i].life);
        // Staged in the order the previous sort left.
        EXPECT_EQ(positionSizeData[4 * i], before[i].position.x);
        EXPECT_EQ(positionSizeData[4 * i + 3], before[i].size);
    }
}

TEST(ParticleSystem, PoolIsFullAfter19UpdatesThenOnlySlotZeroIsReused)
{
    auto burst = newBurst();
    for (int i = 0; i < 18; ++i)
        burst->update(frame);
    EXPECT_EQ(aliveCount(*burst), 2880);
    burst->update(frame);
    EXPECT_EQ(aliveCount(*burst), 3000);
    EXPECT_EQ(burst->instanceCount, 3000);
    EXPECT_EQ(freshCount(*burst, frame), 120 + 1); // the 40 beyond the pool overwrite slot 0 in turn
    burst->update(frame);
    EXPECT_EQ(freshCount(*burst, frame), 1);
    EXPECT_EQ(burst->instanceCount, 3000);
}

TEST(ParticleSystem, LongStepEmitsAtMost160)
{
    auto burst = newBurst();
    burst->update(3.0f);
    EXPECT_EQ(aliveCount(*burst), 160);
    EXPECT_EQ(burst->countdown, 1497);
    auto small = newBurst();
    small->update(0.0005f);
    EXPECT_EQ(aliveCount(*small), 5);
}

TEST(ParticleSystem, StopsStagingWhenTheCountdownEnds)
{
    auto burst = newBurst();
    for (int i = 0; i < 1499; ++i)
        burst->update(0.001f);
    EXPECT_EQ(burst->countdown, 1);
    EXPECT_GT(burst->instanceCount, 0);
    burst->update(0.001f);
    EXPECT_EQ(burst->countdown, 0);
    EXPECT_EQ(burst->instanceCount, 0);
    burst->update(0.001f);
    EXPECT_EQ(burst->countdown, 0);
    EXPECT_EQ(burst->instanceCount, 0);
    EXPECT_EQ(aliveCount(*burst), 3000); // the simulation goes on
}

TEST(ParticleSystem, AParticleRisesForAbout2Point2SecondsAndIsBackAfter4Point5)
{
    auto burst = newBurst(1000, 0, 0);
    Particle& tracked = burst->particles[ParticleSystem::poolSize - 1];
    tracked = Particle{};
    tracked.life = 5.0f;
    tracked.speed = glm::vec3(50.0f, 1.0f, 0.0f);
    tracked.size = 7.0f; // no emitted particle is that large
    // It stays nearest to the camera at the origin, so the sort never moves it into slot 0.
    constexpr float dt = 0.01f;
    float previousY = 0.0f, peakTime = -1.0f, backTime = -1.0f;
    for (int i = 1; i <= 470 && backTime < 0.0f; ++i) {
        burst->update(dt);
        const auto it = std::find_if(burst->particles.begin(), burst->particles.end(),
                                     [](const Particle& p) { return p.size == 7.0f; });
        ASSERT_NE(it, burst->particles.end());
        const float t = i * dt;
        if (peakTime < 0.0f && it->position.y < previousY)
            peakTime = t;
        if (peakTime > 0.0f && it->position.y <= 0.0f) {
            backTime = t;
            EXPECT_NEAR(it->position.x, 50.0f * t, 1e-2f);
        }
        previousY = it->position.y;
    }
    EXPECT_NEAR(peakTime, 2.24f, 0.05f);
    EXPECT_NEAR(backTime, 4.49f, 0.05f);
}

TEST(ParticleSystem, UpdateAllocatesNothing)
{
    auto burst = newBurst();
    const long before = allocations.load();
    for (int i = 0; i < 30; ++i)
        burst->update(frame);
    EXPECT_EQ(allocations.load(), before);
}

} // namespace
