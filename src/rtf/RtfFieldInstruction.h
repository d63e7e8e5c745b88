#pragma once
// What a field's instruction (\fldinst) tells the reader about the text the field shows.

#include <optional>
#include <string_view>

namespace velmora {

// The character a SYMBOL field inserts ("SYMBOL 253 \f Wingdings", "SYMBOL 0x5D0 \u"): its number,
// decimal or hexadecimal, is taken as a Unicode code point whatever the font or switch, as other
// readers take it. nullopt for any other field and for a number no character has.
std::optional<char32_t> SymbolFieldCharacter(std::string_view instruction);

// The text an EQ field lowers as a subscript ("EQ \s\do5(1)" shows "1"), which is the one
// equation other readers show as text; nullopt for any other field or equation.
std::optional<std::string_view> LoweredEquationText(std::string_view instruction);

// The base text of an EQ field that sets a phonetic guide over it, as Word writes ruby
// ("EQ \* jc2 \* hps10 \o\ad(\s\up 9(かんじ),漢字)" shows "漢字" under its guide); nullopt for any
// other field or equation.
std::optional<std::string_view> RubyBaseText(std::string_view instruction);

// The text a MACROBUTTON or GOTOBUTTON field shows: what follows its macro's or bookmark's name
// ("MACROBUTTON NoMacro [Type here]" shows "[Type here]"); nullopt for any other field.
std::optional<std::string_view> ButtonDisplayText(std::string_view instruction);

// True for a PAGE field, which shows the number of the page it stands on.
bool IsPageField(std::string_view instruction);

}  // namespace velmora
