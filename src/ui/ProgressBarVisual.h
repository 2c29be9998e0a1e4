#pragma once

namespace kesto
{

class ProgressBar;
class Sprite;
class Transform;

// Shows a progress bar's value: crops its sprite and shifts it so the aligned edge or corner stays put.
void UpdateProgressBarVisual(ProgressBar& bar, Sprite& sprite, Transform& transform);

} // namespace kesto
