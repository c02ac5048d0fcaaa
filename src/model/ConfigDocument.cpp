// A SAX handler wrapped around the library's document builder: the builder
// keeps the document exactly as Json::parse would, and this handler follows
// the path to every value beside it. Parsing with a callback instead would
// not see a number that ends the parse, and a second pass over the text for
// repeated keys would cost as much as the parse itself.
#include "model/ConfigDocument.h"

#include <algorithm>
#include <type_traits>

namespace bindwell {
namespace {

using Json = nlohmann::json;

// A number is echoed up to this many characters: a file may hold thousands
// of digits, and one line of them says no more than the first few.
constexpr size_t kEchoedNumber = 24;

std::string withoutTag(std::string_view text) {
    if (const auto end = text.find("] "); text.starts_with('[') && end != std::string_view::npos) {
        text.remove_prefix(end + 2);
    }
    return std::string(text);
}

std::string cut(const std::string& token) {
    return token.size() <= kEchoedNumber ? token : token.substr(0, kEchoedNumber) + "…";
}

class DocumentBuilder {
public:
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    DocumentBuilder(std::string_view text, ConfigDocument& out)
        : text_(text), out_(out), dom_(out.json, false) {}

    bool null() { return enter() && dom_.null(); }
    bool boolean(bool value) { return enter() && dom_.boolean(value); }
    bool number_integer(Json::number_integer_t value) {
        return enter() && dom_.number_integer(value);
    }
    bool number_unsigned(Json::number_unsigned_t value) {
        return enter() && dom_.number_unsigned(value);
    }
    bool number_float(Json::number_float_t value, const string_t& text) {
        return enter() && dom_.number_float(value, text);
    }
    bool string(string_t& value) { return enter() && dom_.string(value); }
    bool binary(binary_t& value) { return enter() && dom_.binary(value); }

    bool start_object(size_t size) {
        enter();
        open(false);
        return dom_.start_object(size);
    }
    bool start_array(size_t size) {
        enter();
        open(true);
        return dom_.start_array(size);
    }
    bool end_object() {
        --depth_;
        return dom_.end_object();
    }
    bool end_array() {
        --depth_;
        return dom_.end_array();
    }

    bool key(string_t& name) {
        Frame& frame = frames_[depth_ - 1];
        frame.key = name;
        if (std::find(frame.seen.begin(), frame.seen.end(), name) != frame.seen.end()) {
            out_.repeatedKeys.push_back(path());
        } else {
            frame.seen.push_back(name);
        }
        return dom_.key(name);
    }

    template <class Exception>
    bool parse_error(size_t byte, const std::string& token, const Exception& error) {
        if constexpr (std::is_same_v<Exception, Json::parse_error>) {
            // The library's text already names line and column.
            out_.error = withoutTag(error.what()) + " (byte " + std::to_string(error.byte) + ")";
        } else {
            // Only a number too large even for a double ends the parse this
            // way; it is the value that begins here, in an array the next one.
            enter();
            const std::string_view before = text_.substr(0, std::min(byte, text_.size()));
            const size_t lineStart = before.rfind('\n') + 1; // npos + 1 == 0
            out_.error = "number too large to read at line " +
                         std::to_string(std::count(before.begin(), before.end(), '\n') + 1) +
                         ", column " + std::to_string(before.size() - lineStart) + ": '" +
                         cut(token) + "' (byte " + std::to_string(byte) + ")";
            out_.errorPath = path();
        }
        return false;
    }

private:
    struct Frame {
        bool isArray = false;
        size_t index = 0; // the element being read, in an array
        size_t count = 0;
        std::string key; // the member being read, in an object
        std::vector<std::string> seen;
    };

    // A value begins: in an array it is the next element.
    bool enter() {
        if (depth_ > 0 && frames_[depth_ - 1].isArray) {
            Frame& frame = frames_[depth_ - 1];
            frame.index = frame.count++;
        }
        return true;
    }

    // Frames are kept and reused, so their key lists allocate once per depth.
    void open(bool isArray) {
        if (frames_.size() == depth_) {
            frames_.emplace_back();
        }
        Frame& frame = frames_[depth_++];
        frame.isArray = isArray;
        frame.count = 0;
        frame.key.clear();
        frame.seen.clear();
    }

    [[nodiscard]] JsonPath path() const {
        JsonPath steps;
        for (size_t i = 0; i < depth_; ++i) {
            if (frames_[i].isArray) {
                steps.emplace_back(frames_[i].index);
            } else {
                steps.emplace_back(frames_[i].key);
            }
        }
        return steps;
    }

    std::string_view text_;
    ConfigDocument& out_;
    nlohmann::detail::json_sax_dom_parser<Json> dom_;
    std::vector<Frame> frames_;
    size_t depth_ = 0;
};

} // namespace

ConfigDocument parseConfigDocument(std::string_view text) {
    ConfigDocument document;
    DocumentBuilder builder(text, document);
    // What was built before an error stays, so the error can name its profile.
    static_cast<void>(Json::sax_parse(text, &builder));
    return document;
}

} // namespace bindwell
