#include "animation/Animation.h"

namespace kesto
{

const FieldTable<Animation>& Animation::Fields()
{
    static const FieldTable<Animation> fields{
        Field<&Animation::playOnStart>("playOnStart").Label("Play on Start"),
        Field<&Animation::destroyOnFinish>("destroyOnFinish").Label("Destroy on Finish"),
    };
    return fields;
}

void Animation::Restart()
{
    playOnStart = true;
    finished = false;
    playing = true;
}

} // namespace kesto
