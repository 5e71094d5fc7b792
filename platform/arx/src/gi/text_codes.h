// The glyphs a text string shows. Text strings are single-byte (the drawing's code page,
// read as Latin-1); unless raw, the control codes are read: %%d degree sign, %%p plus-minus,
// %%c diameter, %%% percent, %%nnn the character with that decimal code, %%o and %%u toggle
// over- and underlining (they show nothing); %% before anything else shows that character.
#pragma once
#include <string>
#include <string_view>

namespace arx::gi {

inline constexpr char32_t kDegreeSign = 0x00B0;
inline constexpr char32_t kPlusMinusSign = 0x00B1;
inline constexpr char32_t kDiameterSign = 0x2300;

// The glyphs of the first `length` bytes of text (all of it when length is negative or
// longer than the text). Control characters below 32 show nothing and are left out.
std::u32string decodeText(std::string_view text, int length, bool raw);

// UTF-8 of decoded glyphs.
std::string toUtf8(const std::u32string& glyphs);

}  // namespace arx::gi
