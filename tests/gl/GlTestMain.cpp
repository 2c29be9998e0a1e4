#include "gl/GlWorld.h"

#include <gtest/gtest.h>
#include <memory>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // gtest takes ownership of environments.
    ::testing::AddGlobalTestEnvironment(std::make_unique<kesto::test::GlWorld>().release());
    return RUN_ALL_TESTS();
}
