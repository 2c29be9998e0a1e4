#include "input/CursorMapping.h"

namespace kesto
{

Vec2 PixelsToScreenUnits(double px, double py, int framebufferWidth, int framebufferHeight)
{
    if (framebufferWidth <= 0 || framebufferHeight <= 0)
    {
        return {};
    }
    const double width = framebufferWidth;
    const double height = framebufferHeight;
    const double x = ((px / width) * 2.0 - 1.0) * (width / height);
    const double y = (1.0 - py / height) * 2.0 - 1.0;
    return {static_cast<float>(x), static_cast<float>(y)};
}

Vec2 PixelsToWorld(double px, double py, const Matrix3& projView, float screenWidth, float screenHeight)
{
    Vec3 device{0.0f, 0.0f, 1.0f};
    if (screenWidth > 0.0f && screenHeight > 0.0f)
    {
        device.x = static_cast<float>(2.0 * px / screenWidth - 1.0);
        device.y = static_cast<float>(1.0 - 2.0 * py / screenHeight);
    }
    const Vec3 world = projView.Inverse() * device;
    return {world.x, world.y};
}

} // namespace kesto
