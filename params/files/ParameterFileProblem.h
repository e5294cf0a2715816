#pragma once

#include <optional>
#include <string>

// Where a parameter file goes wrong, for a message that sends the user to the right line.
namespace zok {

struct ParameterFileProblem
{
    std::string key; // the first key, in file key order, that is missing or not a number
    int line = 0;    // its line in the file, from 1; 0 when the key is missing
};

// The key a load of `path` stops at and the line that holds it, read with the store's rules
// (first section of the name, first key of the name, case ignored); nothing when the file
// cannot be read or every key loads.
std::optional<ParameterFileProblem> FindParameterFileProblem(const std::string &path);

} // namespace zok
