#include "engine/SystemRegistry.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kesto
{
namespace
{

// Records every call it receives into a shared journal.
template <int tag> class Probe : public ISystem
{
public:
    explicit Probe(std::vector<std::string>& journalRef) : journal(journalRef) {}
    ~Probe() override { journal.push_back("destroy " + std::to_string(tag)); }
    void Init() override { journal.push_back("init " + std::to_string(tag)); }
    void Update(float dt) override
    {
        journal.push_back("update " + std::to_string(tag));
        steps.push_back(dt);
        if (onUpdate)
        {
            onUpdate();
        }
    }

    std::vector<std::string>& journal;
    std::vector<float> steps;
    std::function<void()> onUpdate;
};

class SystemRegistryFrames : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto owned = std::make_unique<Probe<1>>(journal);
        probe = owned.get();
        registry.Register(std::move(owned));
        registry.InitAll();
    }

    std::vector<std::string> journal;
    SystemRegistry registry;
    Probe<1>* probe = nullptr;
};

TEST_F(SystemRegistryFrames, FirstFrameHasZeroStep)
{
    registry.StepFrame(5.0f);
    ASSERT_EQ(probe->steps.size(), 1u);
    EXPECT_EQ(probe->steps[0], 0.0f);
    EXPECT_EQ(registry.rawDt, 0.0f);
}

TEST_F(SystemRegistryFrames, StallIsClampedBeforeScaling)
{
    registry.StepFrame(1.0f);
    registry.timeScale = 0.5f;
    registry.StepFrame(3.0f);
    EXPECT_FLOAT_EQ(probe->steps.back(), 0.05f);
    EXPECT_FLOAT_EQ(registry.rawDt, 2.0f);
}

TEST_F(SystemRegistryFrames, TimeScaleHalvesTheStep)
{
    registry.StepFrame(1.0f);
    registry.timeScale = 0.5f;
    registry.StepFrame(1.016f);
    EXPECT_NEAR(probe->steps.back(), 0.008f, 1e-5f);
}

TEST_F(SystemRegistryFrames, FreezeZeroesFourFramesThenResumes)
{
    float now = 1.0f;
    registry.StepFrame(now);
    registry.freezeTime = 0.05f;
    for (int frame = 0; frame < 5; ++frame)
    {
        now += 0.016f;
        registry.StepFrame(now);
    }
    const std::vector<float> steps(probe->steps.begin() + 1, probe->steps.end());
    for (int frame = 0; frame < 4; ++frame)
    {
        EXPECT_EQ(steps[static_cast<std::size_t>(frame)], 0.0f) << "frame " << frame;
    }
    EXPECT_NEAR(steps[4], 0.016f, 1e-4f);
    EXPECT_LT(registry.freezeTime, 0.0f);
}

TEST_F(SystemRegistryFrames, FrameStepsKeepTheirPrecisionAfterHoursOfPlay)
{
    // 4.5 hours in, a float clock could only tell steps of about 2 ms apart.
    double now = 4.5 * 3600.0;
    registry.StepFrame(now);
    for (int frame = 0; frame < 3; ++frame)
    {
        now += 0.0167;
        registry.StepFrame(now);
        EXPECT_NEAR(registry.rawDt, 0.0167f, 1e-6f) << "frame " << frame;
        EXPECT_NEAR(probe->steps.back(), 0.0167f, 1e-6f) << "frame " << frame;
    }
}

TEST_F(SystemRegistryFrames, FreezeCountsRawTimeNotClampedTime)
{
    registry.StepFrame(1.0f);
    registry.freezeTime = 0.5f;
    registry.StepFrame(1.4f); // 0.4 s raw, although the step would clamp to 0.1 s
    EXPECT_NEAR(registry.freezeTime, 0.1f, 1e-5f);
}

TEST(SystemRegistry, InitUpdateAndDestroyFollowRegistrationOrder)
{
    std::vector<std::string> journal;
    {
        SystemRegistry registry;
        registry.Register(std::make_unique<Probe<1>>(journal));
        registry.Register(std::make_unique<Probe<2>>(journal));
        registry.Register(std::make_unique<Probe<3>>(journal));
        registry.InitAll();
        registry.StepFrame(1.0f);
    }
    const std::vector<std::string> expected = {"init 1",   "init 2",    "init 3",    "update 1", "update 2",
                                               "update 3", "destroy 3", "destroy 2", "destroy 1"};
    EXPECT_EQ(journal, expected);
}

TEST(SystemRegistry, ClearingRunningFinishesTheFrame)
{
    std::vector<std::string> journal;
    SystemRegistry registry;
    auto first = std::make_unique<Probe<1>>(journal);
    first->onUpdate = [&registry] { registry.running = false; };
    registry.Register(std::move(first));
    registry.Register(std::make_unique<Probe<2>>(journal));
    double clock = 0.0;
    registry.SetFrameClock([&clock] { return clock += 0.016; });
    registry.Run();
    const std::vector<std::string> expected = {"update 1", "update 2"};
    EXPECT_EQ(journal, expected);
}

TEST(SystemRegistry, LookupOfUnregisteredSystemIsAnError)
{
    std::vector<std::string> journal;
    SystemRegistry registry;
    registry.Register(std::make_unique<Probe<1>>(journal));
    EXPECT_NE(registry.GetSystem<Probe<1>>(), nullptr);
    try
    {
        registry.GetSystem<Probe<2>>();
        FAIL() << "expected MissingSystemError";
    }
    catch (const MissingSystemError& error)
    {
        EXPECT_NE(std::string(error.what()).find("invalid unordered_map<K, T> key"), std::string::npos);
    }
}

TEST(SystemRegistry, RegisteringATypeTwiceIsAnError)
{
    std::vector<std::string> journal;
    SystemRegistry registry;
    registry.Register(std::make_unique<Probe<1>>(journal));
    EXPECT_THROW(registry.Register(std::make_unique<Probe<1>>(journal)), std::logic_error);
}

TEST(SystemRegistry, RegisterGivesTheSystemItsRegistry)
{
    std::vector<std::string> journal;
    SystemRegistry registry;
    auto probe = std::make_unique<Probe<1>>(journal);
    Probe<1>* raw = probe.get();
    EXPECT_EQ(raw->registry, nullptr);
    registry.Register(std::move(probe));
    EXPECT_EQ(raw->registry, &registry);
}

} // namespace
} // namespace kesto
