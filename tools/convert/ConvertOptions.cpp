#include "ConvertOptions.h"

#include <charconv>

namespace velmora {

const char* const kConvertUsage =
    "Usage: velmora-convert [--html | --plain | --to-logical | --text | --dump-json]\n"
    "                       [--line-length N] [--wrap COLUMNS] [--select FROM:TO]\n"
    "                       [--encoding cp1255|utf-8] [--order velmora|unicode]\n"
    "                       [--page visual|logical] [-o OUTPUT] [INPUT]\n"
    "\n"
    "Turns a Hebrew document written in logical order into visual order, exactly as the\n"
    "Velmora editor puts it on the clipboard, or turns visual text back into logical order.\n"
    "\n"
    "Modes:\n"
    "  --html          visual-order HTML with the document's styles (the default)\n"
    "  --plain         visual-order lines without styles, each ending in <BR>\n"
    "  --to-logical    turn visual text (plain text INPUT) back into logical order\n"
    "  --text          the document's text, paragraphs joined by CR LF\n"
    "  --dump-json     the document's paragraphs and formatted runs as JSON (always UTF-8)\n"
    "\n"
    "Options:\n"
    "  --line-length N     longest visual line, 1 to 256 characters (default 256)\n"
    "  --wrap COLUMNS      lay paragraphs out in lines of at most COLUMNS characters first,\n"
    "                      as a window of that width would (default 0: no wrapping)\n"
    "  --select FROM:TO    convert only these character positions (see --text); positions\n"
    "                      outside the text count as its nearer end, and a selection that\n"
    "                      comes out empty converts everything, as the editor does with\n"
    "                      nothing selected (a note on standard error says so)\n"
    "  --encoding ENC      cp1255 (Windows-1255) or utf-8 (default) for the output, and for\n"
    "                      plain-text input\n"
    "  --order ORDER       the order of each visual line, for --html and --plain:\n"
    "                      velmora (default) as the editor writes it, or unicode as\n"
    "                      browsers show the text (the Unicode Bidirectional Algorithm)\n"
    "  --page PAGE         the page the output goes into, for --html and --plain:\n"
    "                      visual (default) for pages declared ISO-8859-8 (visual Hebrew),\n"
    "                      logical for pages that lay text out themselves (UTF-8,\n"
    "                      windows-1255): every line is held in visual order by <BDO DIR=LTR>\n"
    "  -o OUTPUT           write to OUTPUT instead of standard output. A file is replaced\n"
    "                      only once the whole output is written; a device or a FIFO is\n"
    "                      written as it is; /dev/stdout, /dev/stderr, /dev/fd/N and - are\n"
    "                      the streams already open. An empty document writes nothing and\n"
    "                      leaves an existing OUTPUT as it was\n"
    "  -h, --help          show this help\n"
    "  --version           show the version\n"
    "\n"
    "INPUT is an RTF file, or plain text (one paragraph per line, right-aligned); absent or -\n"
    "reads standard input. Exit status: 0 success, 1 unreadable or invalid input, not enough\n"
    "memory or an OUTPUT that cannot be written, 2 usage error.\n";

namespace {

bool ParseInt(const std::string& text, int64_t& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && first != last;
}

bool ParseSelection(const std::string& text, int64_t& from, int64_t& to) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    return ParseInt(text.substr(0, colon), from) && ParseInt(text.substr(colon + 1), to);
}

std::optional<ConvertMode> ModeOf(const std::string& arg) {
    if (arg == "--html") return ConvertMode::Html;
    if (arg == "--plain") return ConvertMode::Plain;
    if (arg == "--to-logical") return ConvertMode::ToLogical;
    if (arg == "--text") return ConvertMode::Text;
    if (arg == "--dump-json") return ConvertMode::DumpJson;
    return std::nullopt;
}

// Splits "--option=value" so that both spellings work.
void SplitInlineValue(std::string& arg, std::optional<std::string>& value) {
    if (arg.rfind("--", 0) != 0) return;
    const size_t eq = arg.find('=');
    if (eq == std::string::npos) return;
    value = arg.substr(eq + 1);
    arg.erase(eq);
}

}  // namespace

ParseResult ParseConvertOptions(const std::vector<std::string>& args) {
    ConvertOptions options;
    bool bModeSeen = false;
    bool bInputSeen = false;
    auto fail = [](std::string message) { return ParseResult{std::nullopt, std::move(message)}; };

    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        SplitInlineValue(arg, inlineValue);
        auto takeValue = [&](std::string& value) {
            if (inlineValue) {
                value = *inlineValue;
                return true;
            }
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        // An option that names one of two words; the error message, or nothing when it was one of them.
        auto takeChoice = [&]<typename T>(const std::string& name, const char* first, T firstValue, const char* second,
                                          T secondValue, T& target) -> std::optional<std::string> {
            const std::string words = std::string(first) + " or " + second;
            std::string value;
            if (!takeValue(value)) return name + " needs " + words;
            if (value == first) {
                target = firstValue;
            } else if (value == second) {
                target = secondValue;
            } else {
                return name + " must be " + words + ", not '" + value + "'";
            }
            return std::nullopt;
        };

        if (arg == "-h" || arg == "--help") {
            options.bHelp = true;
        } else if (arg == "--version") {
            options.bVersion = true;
        } else if (auto mode = ModeOf(arg)) {
            if (inlineValue) return fail("option " + arg + " takes no value");
            if (bModeSeen && options.eMode != *mode)
                return fail("only one of --html, --plain, --to-logical, --text, --dump-json may be given");
            options.eMode = *mode;
            bModeSeen = true;
        } else if (arg == "--line-length") {
            std::string value;
            int64_t n = 0;
            if (!takeValue(value)) return fail("--line-length needs a number");
            if (!ParseInt(value, n) || n < 1 || n > 256)
                return fail("--line-length must be a whole number from 1 to 256, not '" + value + "'");
            options.nLineLength = static_cast<int32_t>(n);
        } else if (arg == "--wrap") {
            std::string value;
            int64_t n = 0;
            if (!takeValue(value)) return fail("--wrap needs a number of columns");
            if (!ParseInt(value, n) || n < 0 || n > INT32_MAX)
                return fail("--wrap must be a whole number of columns (0 for none), not '" + value + "'");
            options.nWrapColumns = static_cast<int32_t>(n);
        } else if (arg == "--select") {
            std::string value;
            if (!takeValue(value)) return fail("--select needs FROM:TO");
            if (!ParseSelection(value, options.nSelectFrom, options.nSelectTo))
                return fail("--select must be FROM:TO with two whole numbers, not '" + value + "'");
            options.bHasSelection = true;
        } else if (arg == "--encoding") {
            std::string value;
            if (!takeValue(value)) return fail("--encoding needs cp1255 or utf-8");
            if (value == "cp1255" || value == "CP1255" || value == "windows-1255") {
                options.eEncoding = TextEncoding::Cp1255;
            } else if (value == "utf-8" || value == "UTF-8" || value == "utf8") {
                options.eEncoding = TextEncoding::Utf8;
            } else {
                return fail("--encoding must be cp1255 or utf-8, not '" + value + "'");
            }
        } else if (arg == "--order") {
            if (auto error = takeChoice(arg, "velmora", LineOrderRule::Velmora, "unicode", LineOrderRule::Unicode,
                                        options.eOrder))
                return fail(*error);
        } else if (arg == "--page") {
            if (auto error = takeChoice(arg, "visual", PageKind::Visual, "logical", PageKind::Logical, options.ePage))
                return fail(*error);
        } else if (arg == "-o" || arg == "--output") {
            if (!takeValue(options.strOutput) || options.strOutput.empty()) return fail("-o needs a file name");
        } else if (arg == "--") {
            if (i + 1 < args.size()) {
                if (bInputSeen || i + 2 < args.size()) return fail("only one INPUT may be given");
                options.strInput = args[i + 1];
                bInputSeen = true;
            }
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + args[i] + "'");
        } else {
            if (bInputSeen) return fail("only one INPUT may be given");
            options.strInput = arg;
            bInputSeen = true;
        }
    }
    const bool bVisualOutput = options.eMode == ConvertMode::Html || options.eMode == ConvertMode::Plain;
    if (options.eOrder == LineOrderRule::Unicode && !bVisualOutput)
        return fail("--order unicode applies only to --html and --plain");
    if (options.ePage == PageKind::Logical && !bVisualOutput)
        return fail("--page logical applies only to --html and --plain");
    return ParseResult{options, {}};
}

}  // namespace velmora
