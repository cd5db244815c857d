#include "scenetext/JsonTree.h"

#include <nlohmann/json.hpp>

#include <iterator>
#include <limits>

namespace korvo {

SceneJsonError::SceneJsonError(int line, std::string field, const std::string& problem)
    : std::runtime_error("line " + std::to_string(line) + ": " + (field.empty() ? "" : field + ": ") + problem),
      line_(line), field_(std::move(field)), problem_(problem)
{
}

const char* KindName(JsonNode::Kind kind)
{
    switch (kind) {
    case JsonNode::Kind::Null:
        return "null";
    case JsonNode::Kind::Boolean:
        return "true or false";
    case JsonNode::Kind::Integer:
        return "a whole number";
    case JsonNode::Kind::Float:
        return "a number with a fraction";
    case JsonNode::Kind::String:
        return "a string";
    case JsonNode::Kind::Object:
        return "an object";
    default:
        return "an array";
    }
}

bool IsValidUtf8(std::string_view text)
{
    try {
        (void)nlohmann::json(std::string(text)).dump(); // dumping checks the encoding
        return true;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
}

namespace {

// A character iterator that publishes how far the parser has read, so that the
// events below can tell the line they are on.
class TrackingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackingIterator(const char* at, const char** reached) : at_(at), reached_(reached) {}
    reference operator*() const { return *at_; }
    TrackingIterator& operator++()
    {
        *reached_ = ++at_;
        return *this;
    }
    TrackingIterator operator++(int)
    {
        auto before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackingIterator& other) const { return at_ == other.at_; }

private:
    const char* at_;
    const char** reached_;
};

// Builds the tree from nlohmann's parse events.
class TreeBuilder {
public:
    using Json = nlohmann::json;

    TreeBuilder(std::string_view text, const char** reached) : text_(text), reached_(reached) {}

    JsonNode& Root() { return root_; }

    bool null() { return Add(JsonNode::Kind::Null) != nullptr; }
    bool boolean(bool value)
    {
        JsonNode* n = Add(JsonNode::Kind::Boolean);
        n->boolean = value;
        return true;
    }
    bool number_integer(Json::number_integer_t value)
    {
        Add(JsonNode::Kind::Integer)->integer = value;
        return true;
    }
    bool number_unsigned(Json::number_unsigned_t value)
    {
        JsonNode* n = Add(JsonNode::Kind::Integer);
        if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            n->beyond64Bits = true;
        else
            n->integer = static_cast<std::int64_t>(value);
        return true;
    }
    bool number_float(Json::number_float_t, const Json::string_t& token)
    {
        JsonNode* n = Add(JsonNode::Kind::Float);
        // A whole number too large for 64 bits arrives here too.
        if (token.find_first_of(".eE") == std::string::npos) {
            n->kind = JsonNode::Kind::Integer;
            n->beyond64Bits = true;
        }
        n->text = token;
        return true;
    }
    bool string(Json::string_t& value)
    {
        Add(JsonNode::Kind::String)->text = std::move(value);
        return true;
    }
    bool binary(Json::binary_t&) { return Fail("binary values are not JSON"); }

    bool start_object(std::size_t) { return Open(JsonNode::Kind::Object); }
    bool start_array(std::size_t) { return Open(JsonNode::Kind::Array); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(Json::string_t& key)
    {
        JsonNode& object = *open_.back();
        const int line = CurrentLine();
        for (const auto& m : object.members)
            if (m.key == key) {
                error_ = SceneJsonError(line, Path(key), "the key \"" + key + "\" appears twice in this object (first on line " +
                                                             std::to_string(m.keyLine) + ")");
                return false;
            }
        object.members.push_back(JsonMember{std::move(key), line, {}});
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex)
    {
        std::string problem = ex.what();
        // nlohmann's text: "[json.exception.parse_error.101] parse error at line 3, column 5: <reason>"
        if (const auto column = problem.find("column "); column != std::string::npos)
            if (const auto colon = problem.find(": ", column); colon != std::string::npos)
                problem.erase(0, colon + 2);
        error_ = SceneJsonError(LineAt(position == 0 ? 0 : position - 1), "", "malformed JSON: " + problem);
        return false;
    }

    const SceneJsonError& Error() const { return error_; }

private:
    // The line of the character at offset, counting forward from the last call.
    int LineAt(std::size_t offset)
    {
        offset = std::min(offset, text_.size());
        if (offset < counted_) {
            counted_ = 0;
            line_ = 1;
        }
        for (; counted_ < offset; ++counted_)
            if (text_[counted_] == '\n')
                ++line_;
        return line_;
    }

    // The last character read belongs to the token just reported (or is the one
    // character looked at after a number).
    int CurrentLine()
    {
        const auto read = static_cast<std::size_t>(*reached_ - text_.data());
        return LineAt(read == 0 ? 0 : read - 1);
    }

    // The path of the key about to be added to the innermost open object.
    std::string Path(const std::string& key) const
    {
        std::string path;
        for (std::size_t i = 0; i + 1 < open_.size(); ++i) {
            const JsonNode& n = *open_[i];
            if (n.kind == JsonNode::Kind::Object)
                path += "." + n.members.back().key;
            else
                path += "[" + std::to_string(n.elements.size() - 1) + "]";
        }
        return path + "." + key;
    }

    JsonNode* Add(JsonNode::Kind kind)
    {
        JsonNode node;
        node.kind = kind;
        node.line = CurrentLine();
        if (open_.empty()) {
            root_ = std::move(node);
            return &root_;
        }
        JsonNode& parent = *open_.back();
        if (parent.kind == JsonNode::Kind::Array) {
            parent.elements.push_back(std::move(node));
            return &parent.elements.back();
        }
        parent.members.back().value.push_back(std::move(node));
        return &parent.members.back().value.back();
    }

    bool Open(JsonNode::Kind kind)
    {
        if (static_cast<int>(open_.size()) >= JsonMaxDepth)
            return Fail("nested deeper than " + std::to_string(JsonMaxDepth) + " levels");
        open_.push_back(Add(kind));
        return true;
    }

    bool Close()
    {
        open_.pop_back();
        return true;
    }

    bool Fail(const std::string& problem)
    {
        error_ = SceneJsonError(CurrentLine(), "", problem);
        return false;
    }

    std::string_view text_;
    const char** reached_;
    JsonNode root_;
    std::vector<JsonNode*> open_;
    SceneJsonError error_{1, "", "malformed JSON"};
    std::size_t counted_ = 0;
    int line_ = 1;
};

} // namespace

JsonNode ParseJsonTree(std::string_view text)
{
    const char* reached = text.data();
    TreeBuilder builder(text, &reached);
    const bool ok = nlohmann::json::sax_parse(TrackingIterator(text.data(), &reached),
                                              TrackingIterator(text.data() + text.size(), &reached), &builder);
    if (!ok)
        throw builder.Error();
    return std::move(builder.Root());
}

} // namespace korvo
