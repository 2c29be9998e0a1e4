#include "ecs/ECS.h"
#include "ecs/Transform.h"
#include "engine/SystemRegistry.h"
#include "graphics/RendererSystem.h"
#include "graphics/SpriteSource.h"
#include "graphics/SpriteText.h"

namespace kesto
{

void RendererSystem::DrawEntityText(const Entity& entity, EntityStore& store, const Matrix3& projView)
{
    const SpriteText* text = store.GetComponent<SpriteText>(entity);
    if (!text || text->glyphs.empty() || !text->sheet || !text->sheet->IsDrawable())
    {
        return;
    }
    SetBlend("Normal");
    Transform& transform = *store.GetComponent<Transform>(entity);
    const bool screen =
        store.HasComponent(entity, IndexOf(ComponentType::UI)) && !registry->GetSystem<ECS>()->systemStore.editorMode;
    const Matrix3 model = screen ? ScreenSpaceModel(transform.GetMatrix()) : transform.GetMatrix();
    const Matrix3 view = screen ? Matrix3::Identity() : projView;
    const int cells = text->sheet->rows * text->sheet->columns;
    for (const Sprite& glyph : text->glyphs)
    {
        // A character outside the sheet (the time format never makes one) draws nothing rather than a stray cell.
        if (glyph.frame >= 0 && glyph.frame < cells)
        {
            DrawSprite(glyph, model, view, screenDepthScaling);
        }
    }
}

} // namespace kesto
