#include <toml++/toml.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <set>

#include "base/sha256.h"
#include "job/job.h"

namespace tessorin::job {
namespace {

struct Refusal {
    int line;
    std::string reason;
};

int lineOf(const toml::node& node) { return static_cast<int>(node.source().begin.line); }

[[noreturn]] void refuse(const toml::node& node, std::string reason) { throw Refusal{lineOf(node), std::move(reason)}; }

const std::set<std::string_view> kJobKeys = {"image", "presets", "store", "identity"};
const std::set<std::string_view> kFieldKeys = {"name",  "source",     "first", "last",   "step",    "file",     "width",
                                               "byte_order", "show", "target", "offset", "address", "low_water"};

void refuseUnknownKeys(const toml::table& table, const std::set<std::string_view>& known) {
    for (const auto& [key, node] : table)
        if (!known.contains(key.str())) refuse(node, "unknown key \"" + std::string(key.str()) + "\"");
}

std::string text(const toml::node& node, std::string_view key) {
    if (!node.is_string()) refuse(node, std::string(key) + " must be text in quotes");
    return node.as_string()->get();
}

int64_t integer(const toml::node& node, std::string_view key, int64_t least, int64_t most) {
    if (!node.is_integer()) refuse(node, std::string(key) + " must be a whole number");
    const int64_t value = node.as_integer()->get();
    if (value < least || value > most)
        refuse(node, std::string(key) + " must lie between " + std::to_string(least) + " and " + std::to_string(most));
    return value;
}

// One of the names, as its index.
template <typename Choice>
Choice choice(const toml::node& node, std::string_view key, const std::vector<std::string_view>& names) {
    const std::string given = text(node, key);
    for (size_t i = 0; i < names.size(); ++i)
        if (given == names[i]) return static_cast<Choice>(i);
    std::string allowed;
    for (std::string_view name : names) allowed += (allowed.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    refuse(node, std::string(key) + " must be one of " + allowed);
}

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

class FieldReader {
public:
    explicit FieldReader(const toml::table& table) : table_(table) {}
    const toml::node* find(std::string_view key) const { return table_.get(key); }
    const toml::node& required(std::string_view key) const {
        if (const toml::node* node = find(key)) return *node;
        refuse(table_, "the identity field needs " + std::string(key));
    }
    // A key that belongs to another source or target.
    void refuseKey(std::string_view key, std::string_view belongsTo) const {
        if (const toml::node* node = find(key)) refuse(*node, std::string(key) + " belongs to " + std::string(belongsTo));
    }

private:
    const toml::table& table_;
};


// A field's name names its pool in the store.
IdentityField readField(const toml::table& table) {
    refuseUnknownKeys(table, kFieldKeys);
    const FieldReader field(table);
    IdentityField result;
    result.line = lineOf(table);
    result.name = text(field.required("name"), "name");
    if (result.name.empty() || !std::all_of(result.name.begin(), result.name.end(), isNameCharacter))
        refuse(field.required("name"), "name must be letters, digits, _ or -");
    result.width = static_cast<int>(integer(field.required("width"), "width", 1, 8));
    const int64_t widest = result.width == 8 ? std::numeric_limits<int64_t>::max() : (int64_t{1} << (8 * result.width)) - 1;
    result.source = choice<Source>(field.required("source"), "source", {"counter", "list"});
    if (result.source == Source::Counter) {
        field.refuseKey("file", "source = \"list\"");
        result.first = integer(field.required("first"), "first", 0, widest);
        result.step = field.find("step") ? integer(*field.find("step"), "step", 1, widest) : 1;
        // The counter moves past last by one step: that must still be a number.
        result.last = integer(field.required("last"), "last", result.first,
                              std::min(widest, std::numeric_limits<int64_t>::max() - result.step));
    } else {
        for (std::string_view key : {"first", "last", "step"}) field.refuseKey(key, "source = \"counter\"");
        result.listPath = text(field.required("file"), "file");
    }
    if (const toml::node* order = field.find("byte_order"))
        result.order = choice<ByteOrder>(*order, "byte_order", {"little", "big"});
    if (const toml::node* shown = field.find("show")) result.shown = choice<Shown>(*shown, "show", {"hex", "address", "decimal"});
    result.target = choice<Target>(field.required("target"), "target", {"image", "memory"});
    if (result.target == Target::Image) {
        field.refuseKey("address", "target = \"memory\"");
        result.at = integer(field.required("offset"), "offset", 0, std::numeric_limits<int32_t>::max());
    } else {
        field.refuseKey("offset", "target = \"image\"");
        result.at = integer(field.required("address"), "address", 0, std::numeric_limits<int32_t>::max());
    }
    if (const toml::node* low = field.find("low_water"))
        result.lowWater = integer(*low, "low_water", 0, std::numeric_limits<int64_t>::max());
    return result;
}

// Two fields may neither share names, counter values nor the bytes they are written to.
void refuseOverlaps(const std::vector<IdentityField>& fields, const toml::array& tables) {
    for (size_t later = 0; later < fields.size(); ++later) {
        const IdentityField& b = fields[later];
        for (size_t earlier = 0; earlier < later; ++earlier) {
            const IdentityField& a = fields[earlier];
            const std::string other = " of " + a.name + " (line " + std::to_string(a.line) + ")";
            if (a.name == b.name) refuse(*tables.get(later), "the name " + b.name + " is taken by the field" + other);
            if (a.source == Source::Counter && b.source == Source::Counter && a.first <= b.last && b.first <= a.last)
                refuse(*tables.get(later), "the range of " + b.name + " overlaps the range" + other);
            if (a.target == b.target && a.at < b.at + b.width && b.at < a.at + a.width)
                refuse(*tables.get(later), "the bytes " + b.name + " is written to overlap those" + other);
        }
    }
}

Job readJob(const toml::table& root) {
    refuseUnknownKeys(root, kJobKeys);
    Job job;
    const toml::node* image = root.get("image");
    if (!image) throw Refusal{1, "the job needs image"};
    job.image = text(*image, "image");
    if (const toml::node* presets = root.get("presets")) {
        if (!presets->is_array()) refuse(*presets, "presets must be a list of texts: [\"4c10 0102\"]");
        for (const toml::node& preset : *presets->as_array()) job.presets.push_back(text(preset, "each preset"));
    }
    if (const toml::node* store = root.get("store")) job.store = text(*store, "store");
    if (const toml::node* identity = root.get("identity")) {
        if (!identity->is_array_of_tables()) refuse(*identity, "identity must be tables: [[identity]]");
        for (const toml::node& field : *identity->as_array()) job.fields.push_back(readField(*field.as_table()));
        refuseOverlaps(job.fields, *identity->as_array());
    }
    return job;
}

// A refusal is one console line: the parser quotes what it saw, and a key may hold
// any character, so control characters are written as escapes.
std::string oneLine(std::string_view reason) {
    std::string line;
    for (char c : reason) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') line += "\\n";
        else if (c == '\r') line += "\\r";
        else if (c == '\t') line += "\\t";
        else if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            line += escaped;
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace

std::optional<Job> parseJob(std::string_view bytes, const std::string& path, std::string& problem) {
    try {
        Job job = readJob(toml::parse(bytes, path));
        job.path = path;
        job.sha256 = sha256Hex(bytes);
        return job;
    } catch (const toml::parse_error& error) {
        problem = path + ":" + std::to_string(error.source().begin.line) + ": " + oneLine(error.description());
    } catch (const Refusal& refusal) {
        problem = path + ":" + std::to_string(refusal.line) + ": " + oneLine(refusal.reason);
    }
    return std::nullopt;
}

}  // namespace tessorin::job
