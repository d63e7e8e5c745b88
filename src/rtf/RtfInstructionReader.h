#pragma once
// A field's instruction ({\*\fldinst ...}) as it is read, and what its field shows where the result
// its writer stored shows nothing: a SYMBOL field's character, a page or automatic number, a
// drop-down's chosen entry, a button's prompt, an equation's text. Word computes these when it
// shows the document, so writers often store no result for them.

#include "RtfAutoNumbers.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class CRtfInstructionReader {
public:
    // A \uN among the shown text's bytes, at its offset there.
    struct Char {
        size_t nAt = 0;
        char32_t ch = 0;  // a surrogate that found no partner stays one
    };
    // What the field shows: its character, then its text, bytes in font nFont (-1: the field's own
    // font) with the \uN characters at their places.
    struct Shown {
        char32_t ch = 0;
        std::string text;
        std::vector<Char> chars;
        int32_t nFont = -1;
        bool Empty() const { return ch == 0 && text.empty(); }
    };

    void Begin();
    // Bytes of the instruction, in font nRunFont.
    void AppendBytes(std::string_view bytes, int32_t nRunFont);
    void AppendBackslash();  // "\\", by which switches are written
    void AppendUnit(char32_t unit);
    bool AwaitsLowSurrogate() const;

    // The form field (\formfield) the instruction holds.
    void SetFormFieldType(int32_t nType) { m_formField.nType = nType; }
    void SetFormFieldChoice(int32_t nChosen) { m_formField.nChosen = nChosen; }
    void SetFormFieldDefault(int32_t nDefault) { m_formField.nDefault = nDefault; }
    void BeginFormFieldEntry();
    void AppendFormFieldEntry(std::string_view bytes);

    // The instruction ended, in a paragraph at nOutlineLevel, on page pageNumber: what its field
    // shows when its result shows nothing. Counts an automatic number.
    Shown End(int32_t nOutlineLevel, std::string_view pageNumber);

private:
    std::optional<std::string> ChosenFormFieldEntry() const;

    std::string m_text;
    std::vector<Char> m_chars;  // each holds its place in m_text by one placeholder byte
    int32_t m_nFont = -1;       // the font of the first byte beyond ASCII
    // A drop-down (\fftype2) shows its chosen entry (\ffres, or \ffdefres while \ffres is 25,
    // none chosen).
    struct FormField {
        int32_t nType = -1;
        int32_t nChosen = 25;
        int32_t nDefault = 0;
        std::vector<std::string> entries;
    } m_formField;
    CRtfAutoNumbers m_autoNumbers;  // counted across the document
};

}  // namespace velmora
