#include "graphics/MeshManager.h"

#include <gtest/gtest.h>

namespace kesto
{
namespace
{

TEST(MeshManager, SameExtentsGiveTheSameMesh)
{
    MeshManager meshes;
    Mesh& first = meshes.Get(0.25f, 0.5f);
    EXPECT_EQ(&meshes.Get(0.25f, 0.5f), &first);
    EXPECT_NE(&meshes.Get(0.5f, 0.25f), &first);
    EXPECT_EQ(meshes.Meshes().size(), 2u);
}

TEST(MeshManager, MeshesStayWhereTheyAreAsMoreAreMade)
{
    MeshManager meshes;
    Mesh* first = &meshes.Get(1.0f, 1.0f);
    for (int i = 1; i <= 50; ++i)
    {
        meshes.Get(1.0f / static_cast<float>(i + 1), 1.0f);
    }
    EXPECT_EQ(&meshes.Get(1.0f, 1.0f), first);
    EXPECT_EQ(first->uExtent, 1.0f);
}

TEST(Mesh, QuadIsTwoCounterClockwiseTrianglesOverTheUnitSquare)
{
    MeshManager meshes;
    const Mesh& mesh = meshes.Get(0.25f, 0.5f);
    ASSERT_EQ(mesh.vertices.size(), 6u);
    const float expected[6][4] = {{-0.5f, 0.5f, 0.0f, 0.5f},  {-0.5f, -0.5f, 0.0f, 0.0f}, {0.5f, 0.5f, 0.25f, 0.5f},
                                  {-0.5f, -0.5f, 0.0f, 0.0f}, {0.5f, -0.5f, 0.25f, 0.0f}, {0.5f, 0.5f, 0.25f, 0.5f}};
    for (int i = 0; i < 6; ++i)
    {
        const Vertex& v = mesh.vertices[static_cast<std::size_t>(i)];
        EXPECT_EQ(v.x, expected[i][0]) << i;
        EXPECT_EQ(v.y, expected[i][1]) << i;
        EXPECT_EQ(v.u, expected[i][2]) << i;
        EXPECT_EQ(v.v, expected[i][3]) << i;
        EXPECT_EQ(v.r, 1.0f);
        EXPECT_EQ(v.a, 1.0f);
    }
    for (int t = 0; t < 2; ++t)
    {
        const Vertex& a = mesh.vertices[static_cast<std::size_t>(t * 3)];
        const Vertex& b = mesh.vertices[static_cast<std::size_t>(t * 3 + 1)];
        const Vertex& c = mesh.vertices[static_cast<std::size_t>(t * 3 + 2)];
        const float cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        EXPECT_GT(cross, 0.0f) << "triangle " << t;
    }
    EXPECT_TRUE(mesh.dirty);
}

} // namespace
} // namespace kesto
