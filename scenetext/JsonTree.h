#pragma once
// A JSON text parsed into a small tree that remembers the line of every value and
// key, rejects duplicate keys and deep nesting, and never recurses on the input.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// A problem in a JSON text: the line (from 1), the field (a path like
// .scenes[1].knobs[2].ccNumber, empty for the document itself) and what is wrong.
class SceneJsonError : public std::runtime_error {
public:
    SceneJsonError(int line, std::string field, const std::string& problem);
    int Line() const { return line_; }
    const std::string& Field() const { return field_; }
    const std::string& Problem() const { return problem_; }

private:
    int line_;
    std::string field_;
    std::string problem_;
};

struct JsonNode;

struct JsonMember {
    std::string key;
    int keyLine = 0;
    std::vector<JsonNode> value; // exactly one node (a vector keeps JsonNode incomplete-safe)
};

struct JsonNode {
    enum class Kind { Null, Boolean, Integer, Float, String, Object, Array };
    Kind kind = Kind::Null;
    int line = 0;
    bool boolean = false;
    std::int64_t integer = 0;
    bool beyond64Bits = false; // an integer too large for int64
    std::string text;          // a string's value, or a float's token
    std::vector<JsonMember> members;
    std::vector<JsonNode> elements;
};

// Containers nest at most this deep; the scene form needs six levels.
inline constexpr int JsonMaxDepth = 16;

// Parses a whole JSON document. Throws SceneJsonError for malformed text, a
// duplicate key or nesting beyond JsonMaxDepth.
JsonNode ParseJsonTree(std::string_view text);

// "an object", "an array", "a string", "a whole number", "a number with a
// fraction", "true or false" or "null", for messages.
const char* KindName(JsonNode::Kind kind);

// Whether the text is valid UTF-8, as JSON strings must be.
bool IsValidUtf8(std::string_view text);

} // namespace korvo
