#pragma once

#include "ecs/Component.h"

#include <string>

namespace kesto
{

// A cinematic video played on a quad placed by the entity's transform.
class Video : public ComponentOf<Video, ComponentType::Video>
{
public:
    static const FieldTable<Video>& Fields();
    // "Path", and a "Load" button that starts the video at that path from its beginning.
    bool Inspect(SystemRegistry* registry) override;

    std::string path;          // the video file; its name also names the sound track
    int framesDecoded = 0;     // frames received since the start
    double fps = 0.0;          // the stream's frame rate
    float time = 0.0f;         // seconds played
    bool finished = false;     // end of file reached
    bool startPending = false; // opened and not yet played; the sound track starts with the first frame
};

} // namespace kesto
