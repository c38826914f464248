#pragma once

#include <string>
#include <vector>

namespace qrv {

// The genre names of ID3v1, indexed by the genre byte of a tag block.
constexpr int kGenreCount = 149;

// Builds the genre table afresh from its comma-separated list of quoted names. The list keeps its
// order and its duplicates; entry 148 is an empty name.
std::vector<std::string> BuildGenreTable();

// Splits a comma-separated list of double-quoted names. Two double quotes inside a name stand for
// one; text outside quotes is taken as it stands, without surrounding blanks.
std::vector<std::string> SplitQuotedList(const std::string& text);

// The position of the first entry equal to the name ignoring case, or -1.
int FindGenre(const std::vector<std::string>& table, const std::string& name);

}  // namespace qrv
