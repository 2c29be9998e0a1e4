#pragma once

namespace kesto
{

// A component that places its entity in screen units rather than in the world (an interface element). The renderer
// draws such an entity's sprite in screen space, in the scene pass or, over the overlay, after post-processing.
class ScreenElement
{
public:
    // Drawn after the post-processing pass, on top of everything.
    virtual bool IsOverOverlay() const = 0;

protected:
    ~ScreenElement() = default;
};

} // namespace kesto
