#pragma once

#include "engine/Vector.h"

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace kesto
{

// Writes one pretty-printed JSON object. Floats always carry a fraction so the reader accepts them back;
// NaN is written as 0 and infinities as the largest finite double, since JSON has neither.
class JsonWriter
{
public:
    JsonWriter();
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void WriteBool(const char* key, bool value);
    void WriteFloat(const char* key, float value);
    void WriteInt(const char* key, int value);
    template <typename E>
    requires std::is_enum_v<E>
    void WriteEnum(const char* key, E value) { WriteInt(key, static_cast<int>(value)); }
    void WriteUnsigned(const char* key, unsigned value);
    void WriteString(const char* key, const std::string& value);
    void WriteVec2(const char* key, Vec2 value);
    void WriteVec3(const char* key, Vec3 value);
    void WriteVec4(const char* key, Vec4 value);
    void WriteIntList(const char* key, const std::vector<int>& values);
    void WriteStringList(const char* key, const std::vector<std::string>& values);
    // A list of points, each an array of 2 numbers (patrol paths).
    void WriteVec2List(const char* key, const std::vector<Vec2>& points);

    void BeginObject(const char* key);
    void EndObject();

    // Closes every open object and returns the text; the writer accepts nothing afterwards.
    std::string Finish();

private:
    struct Buffer;
    std::unique_ptr<Buffer> buffer;
};

} // namespace kesto
