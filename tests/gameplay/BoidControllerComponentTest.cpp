#include "gameplay/BoidControllerComponent.h"

#include "support/ComponentJson.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(BoidControllerComponent, DefaultsLetEveryBoidKeepItsMode)
{
    const BoidControllerComponent controller;
    EXPECT_EQ(controller.state, -1);
    EXPECT_EQ(controller.attractRadius, 0.0f);
    EXPECT_EQ(controller.turnMultiplier, 1.0f);
    EXPECT_EQ(controller.vecMultiplier, 10.0f);
    EXPECT_EQ(controller.speedDampener, 0.75f);
    EXPECT_EQ(controller.distanceBuffer, 25.0f);
    EXPECT_EQ(controller.amplitude, 0.0025f);
    EXPECT_EQ(controller.wavelength, 100);
}

TEST(BoidControllerComponent, ReadsEveryKey)
{
    BoidControllerComponent controller;
    test::ReadJson(controller, R"({"state": 1, "attractRadius": 200.0, "turnAway": 50.0, "turnVector": 0.5,
                                   "turnPosition": 0.25, "minX": -1000.0, "maxX": 1000.0, "minY": 600.0,
                                   "maxY": -600.0, "turn_mult": 2.0, "vec_mult": 5.0, "speed_damp": 0.5,
                                   "dist_buff": 30.0, "amp": 0.01, "wave": 80, "degree": 45.0})");
    EXPECT_EQ(controller.state, 1);
    EXPECT_EQ(controller.attractRadius, 200.0f);
    EXPECT_EQ(controller.turnAway, 50.0f);
    EXPECT_EQ(controller.turnVector, 0.5f);
    EXPECT_EQ(controller.turnPosition, 0.25f);
    EXPECT_EQ(controller.minX, -1000.0f);
    EXPECT_EQ(controller.maxX, 1000.0f);
    EXPECT_EQ(controller.minY, 600.0f);
    EXPECT_EQ(controller.maxY, -600.0f);
    EXPECT_EQ(controller.turnMultiplier, 2.0f);
    EXPECT_EQ(controller.vecMultiplier, 5.0f);
    EXPECT_EQ(controller.speedDampener, 0.5f);
    EXPECT_EQ(controller.distanceBuffer, 30.0f);
    EXPECT_EQ(controller.amplitude, 0.01f);
    EXPECT_EQ(controller.wavelength, 80);
    EXPECT_EQ(controller.degree, 45.0f);
}

TEST(BoidControllerComponent, WavelengthIsAnIntegerAndRoundTrips)
{
    BoidControllerComponent controller;
    test::ReadJson(controller, R"({"wave": 90.0, "minX": 5})");
    EXPECT_EQ(controller.wavelength, 100);
    EXPECT_EQ(controller.minX, 0.0f);

    controller.wavelength = 64;
    controller.maxY = -12.5f;
    controller.state = 4;
    const BoidControllerComponent copy = test::RoundTrip(controller);
    EXPECT_EQ(copy.wavelength, 64);
    EXPECT_EQ(copy.maxY, -12.5f);
    EXPECT_EQ(copy.state, 4);
}

} // namespace
} // namespace kesto
