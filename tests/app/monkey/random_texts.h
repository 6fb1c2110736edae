#pragma once

// Texts a user may type, commit through an input method or paste into an edit box, drawn from a seeded
// generator so that a run can be repeated.

#include <cstdint>
#include <random>

#include <QString>

namespace monkey {

using Random = std::mt19937_64;

int uniform(Random& random, int low, int high);  // low to high, both included
bool chance(Random& random, double probability);

// A text that reads as a number, or nearly: signs, digits, points and exponent letters in ASCII or in
// their full-width forms, sometimes with spaces before it or a unit or junk after it, or one of the
// texts the program writes for infinities and NaN values.
QString number_text(Random& random);

// Characters that a keyboard or an input method delivers one at a time: ASCII, full-width forms, the
// ideographic space, Chinese, and printable characters that GBK lacks. All printable, none outside the
// Basic Multilingual Plane.
QString typed_noise(Random& random);

// A short text for the clipboard: what typed_noise gives, and also characters outside the Basic
// Multilingual Plane, control characters, line breaks and characters that have no width.
QString pasted_text(Random& random);

// A clipboard text of 16 Ki to 1 Mi characters: a long number, a repeated number or noise.
QString long_pasted_text(Random& random);

// Whether every character is one that an edit box keeps as it is typed or pasted.
bool all_printable(const QString& text);

}  // namespace monkey
