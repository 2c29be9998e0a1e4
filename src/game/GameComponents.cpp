#include "game/GameComponents.h"

#include "animation/Animation.h"
#include "audio/SoundEmitter.h"
#include "ecs/Transform.h"
#include "gameplay/BehaviorBoidComponent.h"
#include "gameplay/BehaviorFalling.h"
#include "gameplay/BehaviorFlying.h"
#include "gameplay/BehaviorPlayer.h"
#include "gameplay/BoidControllerComponent.h"
#include "gameplay/Checkpoint.h"
#include "gameplay/Laser.h"
#include "gameplay/Rotator.h"
#include "gameplay/TriggerComponent.h"
#include "graphics/FlashingLight.h"
#include "graphics/LightSource.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteText.h"
#include "graphics/Video.h"
#include "input/ControllerSprite.h"
#include "particles/ParticleEmitter.h"
#include "physics/Collider.h"
#include "physics/Gravity.h"
#include "physics/Rigidbody.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ProgressBar.h"
#include "ui/Slider.h"
#include "ui/SliderBackground.h"
#include "ui/SliderBar.h"
#include "ui/UI.h"

#include <string>

namespace kesto
{

std::unique_ptr<Component> NewGameComponent(int index, std::string_view assetRoot)
{
    if (index < 0 || index >= componentTypeCount)
    {
        return nullptr;
    }
    switch (static_cast<ComponentType>(index))
    {
    case ComponentType::Transform:
        return std::make_unique<Transform>();
    case ComponentType::Rigidbody:
        return std::make_unique<Rigidbody>();
    case ComponentType::Sprite:
        return std::make_unique<Sprite>();
    case ComponentType::Animation:
        return std::make_unique<Animation>();
    case ComponentType::BehaviorFlying:
        return std::make_unique<BehaviorFlying>();
    case ComponentType::BehaviorPlayer:
        return std::make_unique<BehaviorPlayer>();
    case ComponentType::SoundEmitter:
        return std::make_unique<SoundEmitter>();
    case ComponentType::ParticleEmitter:
        return std::make_unique<ParticleEmitter>();
    case ComponentType::Gravity:
        return std::make_unique<Gravity>();
    case ComponentType::Collider:
        return std::make_unique<Collider>();
    case ComponentType::UI:
        return std::make_unique<UI>();
    case ComponentType::Button:
        return std::make_unique<Button>();
    case ComponentType::FlashingLight:
        return std::make_unique<FlashingLight>();
    case ComponentType::TriggerComponent:
        return std::make_unique<TriggerComponent>();
    case ComponentType::BehaviorBoidComponent:
        return std::make_unique<BehaviorBoidComponent>();
    case ComponentType::BoidControllerComponent:
        return std::make_unique<BoidControllerComponent>();
    case ComponentType::ProgressBar:
        return std::make_unique<ProgressBar>();
    case ComponentType::BehaviorFalling:
        return std::make_unique<BehaviorFalling>();
    case ComponentType::LightSource:
        return std::make_unique<LightSource>();
    case ComponentType::Video:
        return std::make_unique<Video>(std::string(assetRoot));
    case ComponentType::Checkpoint:
        return std::make_unique<Checkpoint>();
    case ComponentType::Slider:
        return std::make_unique<Slider>();
    case ComponentType::SliderBackground:
        return std::make_unique<SliderBackground>();
    case ComponentType::CheckBox:
        return std::make_unique<CheckBox>();
    case ComponentType::Laser:
        return std::make_unique<Laser>();
    case ComponentType::SpriteText:
        return std::make_unique<SpriteText>();
    case ComponentType::Rotator:
        return std::make_unique<Rotator>();
    case ComponentType::SliderBar:
        return std::make_unique<SliderBar>();
    case ComponentType::ControllerSprite:
        return std::make_unique<ControllerSprite>();
    }
    return nullptr;
}

} // namespace kesto
