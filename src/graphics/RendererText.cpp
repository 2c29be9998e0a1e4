#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/RendererSystem.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteText.h"

namespace kesto
{

void RendererSystem::DrawEntityText(const Entity& entity, EntityStore& store)
{
    const SpriteText* text = store.GetComponent<SpriteText>(entity);
    if (!text || text->glyphs.empty() || !text->sheet || !text->sheet->IsDrawable())
    {
        return;
    }
    batch.SetBlend(BlendModeOf(text->sheet->blend));
    Transform& transform = *store.GetComponent<Transform>(entity);
    const bool screen = store.HasComponent(entity, IndexOf(ComponentType::UI)) && !editorMode;
    const Matrix3 model = screen ? ScreenSpaceModel(transform.GetMatrix()) : transform.GetMatrix();
    const int cells = text->sheet->rows * text->sheet->columns;
    for (const Sprite& glyph : text->glyphs)
    {
        // A character outside the sheet (the time format never makes one) draws nothing rather than a stray cell.
        if (glyph.frame >= 0 && glyph.frame < cells)
        {
            SubmitSprite(glyph, model, screen ? DrawSpace::Screen : DrawSpace::World, screenDepthScaling);
        }
    }
}

} // namespace kesto
