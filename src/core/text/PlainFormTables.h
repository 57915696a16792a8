#pragma once

#include <vector>

// Unicode data for putting a character in a plain form the code page holds, made by
// scripts/make_plain_forms.py.
namespace talvane::text {

struct Decomposition {
    char32_t codePoint;
    std::vector<char32_t> decomposed; // canonical, fully decomposed
};

struct CodeRange {
    char32_t first;
    char32_t last;
};

// The characters Windows-1252 lacks that decompose into one it holds and marks, sorted.
const std::vector<Decomposition>& decompositions();
// The characters Windows-1252 holds that decompose, with their decomposed forms.
const std::vector<Decomposition>& storableDecompositions();
// Every combining mark (general categories Mn, Mc and Me), sorted.
const std::vector<CodeRange>& combiningMarks();

} // namespace talvane::text
