#pragma once
// The command line of velmora-convert.

#include <cstdint>
#include "PlainTextDocument.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora {

enum class ConvertMode {
    Html,
    Plain,
    ToLogical,
    Text,
    DumpJson
};
// The order of the visual lines: Velmora's own run rules, or the Unicode Bidirectional Algorithm's.
enum class LineOrderRule {
    Velmora,
    Unicode
};
// The page the HTML lands in: one declared visual Hebrew (ISO-8859-8), or one that lays text out
// itself (UTF-8, windows-1255), where every line is held in visual order by an override.
enum class PageKind {
    Visual,
    Logical
};

struct ConvertOptions {
    ConvertMode eMode = ConvertMode::Html;
    int32_t nLineLength = 256;
    int32_t nWrapColumns = 0;  // 0: every paragraph is one line
    bool bHasSelection = false;
    int64_t nSelectFrom = 0;
    int64_t nSelectTo = 0;
    TextEncoding eEncoding = TextEncoding::Utf8;  // of the output, and of plain-text input
    std::string strOutput;                        // empty: standard output
    std::string strInput = "-";                   // "-": standard input
    bool bHelp = false;
    LineOrderRule eOrder = LineOrderRule::Velmora;  // for --html and --plain
    PageKind ePage = PageKind::Visual;              // for --html and --plain
    bool bVersion = false;
};

struct ParseResult {
    std::optional<ConvertOptions> options;
    std::string strError;  // set when options is empty
};

ParseResult ParseConvertOptions(const std::vector<std::string>& args);

extern const char* const kConvertUsage;

}  // namespace velmora
