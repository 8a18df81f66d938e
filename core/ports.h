// Which row of the Select Port list is selected when the list is (re)built.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// LPT1, else COM1, else FILE, else nothing. A port is of a kind when its name
// is exactly the kind's name, with or without a trailing colon. When a kind
// appears more than once, the last one listed wins.
std::optional<size_t> PreselectPort(const std::vector<std::string>& portNames);
