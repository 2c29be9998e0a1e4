#include "studio/Sound.h"

#include "studio/CoreSystemInternal.h"

namespace kesto::studio
{

bool Sound::IsValid() const { return detail::CoreState::RecordOf(*this) != nullptr; }

Result Sound::Release()
{
    const detail::SoundRecord* record = detail::CoreState::RecordOf(*this);
    if (record == nullptr)
    {
        return Result::InvalidHandle;
    }
    core->mixer->StopVoicesPlaying(record->samples.get());
    core->sounds.erase(id);
    return Result::Ok;
}

Result Sound::GetLength(unsigned* length, TimeUnit unit) const
{
    if (length == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::SoundRecord* record = detail::CoreState::RecordOf(*this);
    if (record == nullptr)
    {
        return Result::InvalidHandle;
    }
    const auto frames = static_cast<unsigned long long>(record->samples->Frames());
    switch (unit)
    {
    case TimeUnit::Pcm:
        *length = static_cast<unsigned>(frames);
        return Result::Ok;
    case TimeUnit::Ms:
        *length = static_cast<unsigned>(frames * 1000ULL / static_cast<unsigned>(core->mixer->SampleRate()));
        return Result::Ok;
    }
    return Result::InvalidParam;
}

Result Sound::GetMode(Mode* mode) const
{
    if (mode == nullptr)
    {
        return Result::InvalidParam;
    }
    const detail::SoundRecord* record = detail::CoreState::RecordOf(*this);
    if (record == nullptr)
    {
        return Result::InvalidHandle;
    }
    *mode = record->mode;
    return Result::Ok;
}

} // namespace kesto::studio
