#pragma once
// Reads canvas scene files: one command a line, `#` comments, blank-separated
// tokens. Plain C++ with no project headers, so that the GDI renderer built
// with mingw-w64 reads scenes exactly as qo-scene does.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qo::scene {

struct TSceneCommand {
    int Line = 0;
    std::string Name;
    std::vector<std::string> Args;
    std::string Rest; // everything after the name, for the commands that end in a string

    long Int(size_t i) const {
        if (i >= Args.size()) Fail("missing argument " + std::to_string(i + 1));
        char* end = nullptr;
        const long v = std::strtol(Args[i].c_str(), &end, 0);
        if (end == Args[i].c_str() || *end) Fail("not a number: " + Args[i]);
        return v;
    }
    uint32_t Color(size_t i) const { return uint32_t(Int(i)) & 0xFFFFFF; }
    const std::string& Arg(size_t i) const {
        if (i >= Args.size()) Fail("missing argument " + std::to_string(i + 1));
        return Args[i];
    }
    // The arguments from `first` on as (x, y) pairs.
    std::vector<std::pair<long, long>> Points(size_t first = 0) const {
        if (Args.size() < first || (Args.size() - first) % 2) Fail("coordinates come in pairs");
        std::vector<std::pair<long, long>> points;
        for (size_t i = first; i < Args.size(); i += 2) points.emplace_back(Int(i), Int(i + 1));
        return points;
    }
    // The raw text after the first `skip` arguments (the string of `text X Y STRING`).
    // Blanks inside it are kept, leading ones are not.
    std::string TextAfter(size_t skip) const {
        std::istringstream in(Rest);
        std::string word;
        for (size_t i = 0; i < skip; ++i) in >> word;
        in >> std::ws;
        std::string text;
        std::getline(in, text);
        return text;
    }
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("line " + std::to_string(Line) + " (" + Name + "): " + what);
    }
};

// The commands whose last argument is the rest of the line.
inline bool EndsInString(const std::string& name) {
    return name == "text" || name == "extent" || name == "drawtext";
}

inline std::vector<TSceneCommand> ReadScene(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<TSceneCommand> commands;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        TSceneCommand c;
        c.Line = line;
        std::istringstream first(text);
        if (!(first >> c.Name) || c.Name[0] == '#') continue;
        // Only the commands that end in a string keep a `#` (inside the string).
        const std::string body = EndsInString(c.Name) ? text : text.substr(0, text.find('#'));
        std::istringstream words(body);
        words >> c.Name;
        std::getline(words >> std::ws, c.Rest);
        words.clear();
        words.str(c.Rest);
        for (std::string w; words >> w;) c.Args.push_back(w);
        commands.push_back(std::move(c));
    }
    if (commands.empty() || commands[0].Name != "canvas")
        throw std::runtime_error(path + ": the first command must be `canvas W H`");
    return commands;
}

} // namespace qo::scene
