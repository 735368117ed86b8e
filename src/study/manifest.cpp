// SPDX-License-Identifier: MIT
#include "study/manifest.h"

#include <array>
#include <charconv>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <type_traits>

#include "study/csv.h"
#include "study/study_error.h"
#include "study/study_files.h"

namespace dealwise::study {
namespace {

using Json = nlohmann::ordered_json;

std::string shortestText(double value) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

std::string secondsOption(double seconds) {
    return seconds > 0.0 ? "--solve-seconds " + shortestText(seconds) : "no --solve-seconds";
}

std::string positionsOption(std::uint64_t positions) {
    return positions > 0 ? "--solve-positions " + std::to_string(positions) : "no --solve-positions";
}

// The JSON library converts any number to any arithmetic type, a float or a
// huge number to an int included, which C++ leaves undefined: a whole number
// must be a whole number in the type's range before it is read as one.
template <typename Value> bool isWholeNumberOf(const Json& value) {
    if (!value.is_number_integer()) {
        return false;
    }
    if (value.is_number_unsigned()) {
        return value.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<Value>::max());
    }
    const auto number = value.get<std::int64_t>();
    if constexpr (std::numeric_limits<Value>::is_signed) {
        return number >= std::int64_t{std::numeric_limits<Value>::min()} &&
               number <= std::int64_t{std::numeric_limits<Value>::max()};
    } else {
        return number >= 0;
    }
}

template <typename Value> Value field(const Json& json, const char* name) {
    if (!json.contains(name)) {
        throw std::invalid_argument(std::string("it has no \"") + name + "\"");
    }
    try {
        if constexpr (std::is_integral_v<Value> && !std::is_same_v<Value, bool>) {
            if (!isWholeNumberOf<Value>(json.at(name))) {
                throw std::invalid_argument(std::string("its \"") + name + "\" is not of the right kind");
            }
        }
        return json.at(name).get<Value>();
    } catch (const Json::exception&) {
        throw std::invalid_argument(std::string("its \"") + name + "\" is not of the right kind");
    }
}

} // namespace

RunManifest manifestOf(const PlayOptions& play, std::string_view version) {
    RunManifest manifest;
    manifest.version = std::string(version);
    manifest.draw = play.draw;
    manifest.first = play.first;
    manifest.deals = play.deals;
    manifest.solve = play.solve;
    manifest.solveSeconds = play.solve ? play.solveSeconds : 0.0;
    manifest.solvePositions = play.solve ? play.solvePositions : 0;
    manifest.columns = csvColumns(play.solve);
    return manifest;
}

PlayOptions playOptionsOf(const RunManifest& manifest) {
    PlayOptions play;
    play.draw = manifest.draw;
    play.first = manifest.first;
    play.deals = manifest.deals;
    play.solve = manifest.solve;
    play.solveSeconds = manifest.solveSeconds;
    play.solvePositions = manifest.solvePositions;
    return play;
}

std::string manifestText(const RunManifest& manifest) {
    Json json;
    json["program"] = manifest.program;
    json["version"] = manifest.version;
    json["draw"] = manifest.draw;
    json["first"] = manifest.first;
    json["deals"] = manifest.deals;
    json["solve"] = manifest.solve;
    json["solve_seconds"] = manifest.solveSeconds > 0.0 ? Json(manifest.solveSeconds) : Json(nullptr);
    json["solve_positions"] = manifest.solvePositions;
    json["columns"] = manifest.columns;
    return json.dump(2) + "\n";
}

RunManifest parseManifest(std::string_view text) {
    const Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        throw std::invalid_argument("it is not a JSON object");
    }
    RunManifest manifest;
    manifest.program = field<std::string>(json, "program");
    if (manifest.program != "dealwise-study") {
        throw std::invalid_argument("it is not dealwise-study's");
    }
    manifest.version = field<std::string>(json, "version");
    manifest.draw = field<int>(json, "draw");
    manifest.first = field<std::uint64_t>(json, "first");
    manifest.deals = field<std::uint64_t>(json, "deals");
    manifest.solve = field<bool>(json, "solve");
    manifest.solveSeconds = json.contains("solve_seconds") && json.at("solve_seconds").is_null()
                                ? 0.0
                                : field<double>(json, "solve_seconds");
    manifest.solvePositions = field<std::uint64_t>(json, "solve_positions");
    manifest.columns = field<std::vector<std::string>>(json, "columns");
    if ((manifest.draw != 1 && manifest.draw != 3) || manifest.deals == 0 || manifest.solveSeconds < 0.0 ||
        manifest.columns != csvColumns(manifest.solve)) {
        throw std::invalid_argument("its settings are not those of any study");
    }
    return manifest;
}

std::optional<std::string> firstDifference(const RunManifest& found, const RunManifest& wanted, bool withRange) {
    if (found.version != wanted.version) {
        return "version " + found.version + ", not " + wanted.version;
    }
    if (found.draw != wanted.draw) {
        return "--draw " + std::to_string(found.draw) + ", not --draw " + std::to_string(wanted.draw);
    }
    if (withRange && found.first != wanted.first) {
        return "--first " + std::to_string(found.first) + ", not --first " + std::to_string(wanted.first);
    }
    if (withRange && found.deals != wanted.deals) {
        return "--deals " + std::to_string(found.deals) + ", not --deals " + std::to_string(wanted.deals);
    }
    if (found.solve != wanted.solve) {
        return found.solve ? "--solve, not without it" : "no --solve, not with it";
    }
    if (found.solveSeconds != wanted.solveSeconds) {
        return secondsOption(found.solveSeconds) + ", not " + secondsOption(wanted.solveSeconds);
    }
    if (found.solvePositions != wanted.solvePositions) {
        return positionsOption(found.solvePositions) + ", not " + positionsOption(wanted.solvePositions);
    }
    return std::nullopt;
}

void writeManifest(const std::string& folder, const RunManifest& manifest) {
    writeFileAtomically(folder + "/manifest.json", manifestText(manifest));
}

RunManifest readManifest(const std::string& folder) {
    const std::string path = folder + "/manifest.json";
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file) {
        throw StudyError("cannot read " + path + "; check that it is there and readable");
    }
    try {
        return parseManifest(text.str());
    } catch (const std::invalid_argument& reason) {
        throw StudyError(path + " is no study's manifest that this program can read (" + reason.what() +
                         "); choose another folder");
    }
}

} // namespace dealwise::study
