#pragma once
// The engine's output gathered as UTF-16 a stretch at a time, exactly as
// QString::fromStdU32String would convert it whole (a byte-order mark that begins it is dropped),
// so that a large output is never held whole as 32-bit characters on its way to the clipboard.

#include <QString>

#include <string_view>

namespace velmora {

class CUtf16Output {
public:
    // Appends the next stretch of the output.
    void Add(std::u32string_view text);
    // The output so far; the collector is left empty.
    QString Take() { return std::move(m_str); }

private:
    void AddOneByOne(std::u32string_view text);

    QString m_str;
    bool m_bStarted = false;
};

}  // namespace velmora
