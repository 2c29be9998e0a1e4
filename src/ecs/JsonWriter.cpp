#include "ecs/JsonWriter.h"

#include <cmath>
#include <limits>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <stdexcept>

namespace kesto
{

struct JsonWriter::Buffer
{
    rapidjson::StringBuffer text;
    rapidjson::PrettyWriter<rapidjson::StringBuffer> writer{text};
    int depth = 0;
    bool finished = false;

    void Key(const char* key)
    {
        if (finished)
        {
            throw std::logic_error("JsonWriter: written to after Finish");
        }
        writer.Key(key);
    }
};

namespace
{

double Finite(float value)
{
    if (std::isnan(value))
    {
        return 0.0;
    }
    if (std::isinf(value))
    {
        return value > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
    }
    return static_cast<double>(value);
}

template <typename Writer> void WriteNumbers(Writer& writer, std::initializer_list<float> values)
{
    writer.StartArray();
    for (float value : values)
    {
        writer.Double(Finite(value));
    }
    writer.EndArray();
}

} // namespace

JsonWriter::JsonWriter() : buffer(std::make_unique<Buffer>())
{
    buffer->writer.SetFormatOptions(rapidjson::kFormatSingleLineArray);
    buffer->writer.StartObject();
    buffer->depth = 1;
}

JsonWriter::~JsonWriter() = default;

void JsonWriter::WriteBool(const char* key, bool value)
{
    buffer->Key(key);
    buffer->writer.Bool(value);
}

void JsonWriter::WriteFloat(const char* key, float value)
{
    buffer->Key(key);
    buffer->writer.Double(Finite(value));
}

void JsonWriter::WriteInt(const char* key, int value)
{
    buffer->Key(key);
    buffer->writer.Int(value);
}

void JsonWriter::WriteUnsigned(const char* key, unsigned value)
{
    buffer->Key(key);
    buffer->writer.Uint(value);
}

void JsonWriter::WriteString(const char* key, const std::string& value)
{
    buffer->Key(key);
    buffer->writer.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size()));
}

void JsonWriter::WriteVec2(const char* key, Vec2 value)
{
    buffer->Key(key);
    WriteNumbers(buffer->writer, {value.x, value.y});
}

void JsonWriter::WriteVec3(const char* key, Vec3 value)
{
    buffer->Key(key);
    WriteNumbers(buffer->writer, {value.x, value.y, value.z});
}

void JsonWriter::WriteVec4(const char* key, Vec4 value)
{
    buffer->Key(key);
    WriteNumbers(buffer->writer, {value.x, value.y, value.z, value.w});
}

void JsonWriter::WriteIntList(const char* key, const std::vector<int>& values)
{
    buffer->Key(key);
    buffer->writer.StartArray();
    for (int value : values)
    {
        buffer->writer.Int(value);
    }
    buffer->writer.EndArray();
}

void JsonWriter::WriteStringList(const char* key, const std::vector<std::string>& values)
{
    buffer->Key(key);
    buffer->writer.StartArray();
    for (const std::string& value : values)
    {
        buffer->writer.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size()));
    }
    buffer->writer.EndArray();
}

void JsonWriter::WriteVec2List(const char* key, const std::vector<Vec2>& points)
{
    buffer->Key(key);
    buffer->writer.StartArray();
    for (Vec2 point : points)
    {
        WriteNumbers(buffer->writer, {point.x, point.y});
    }
    buffer->writer.EndArray();
}

void JsonWriter::BeginObject(const char* key)
{
    buffer->Key(key);
    buffer->writer.StartObject();
    ++buffer->depth;
}

void JsonWriter::EndObject()
{
    if (buffer->depth <= 1)
    {
        throw std::logic_error("JsonWriter::EndObject: no object was begun");
    }
    buffer->writer.EndObject();
    --buffer->depth;
}

std::string JsonWriter::Finish()
{
    if (!buffer->finished)
    {
        for (; buffer->depth > 0; --buffer->depth)
        {
            buffer->writer.EndObject();
        }
        buffer->finished = true;
    }
    return std::string(buffer->text.GetString(), buffer->text.GetSize());
}

} // namespace kesto
