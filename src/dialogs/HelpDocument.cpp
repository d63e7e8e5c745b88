#include "dialogs/HelpDocument.h"

#include <QDir>
#include <QFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "RtfReader.h"

#include <string_view>

namespace velmora {
namespace {

Qt::Alignment AlignmentOf(const Paragraph& para)
{
    switch (para.wAlignment) {
    case PFA_RIGHT: return Qt::AlignRight | Qt::AlignAbsolute;
    case PFA_CENTER: return Qt::AlignHCenter;
    case PFA_JUSTIFY: return Qt::AlignJustify;
    default: return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

QTextBlockFormat BlockFormatOf(const Paragraph& para)
{
    QTextBlockFormat bf;
    bf.setAlignment(AlignmentOf(para));
    bf.setLayoutDirection(para.bRtl ? Qt::RightToLeft : Qt::LeftToRight);
    return bf;
}

QTextCharFormat CharFormatOf(const CharFormat& cf)
{
    QTextCharFormat qf;
    qf.setFontWeight(cf.IsBold() ? QFont::Bold : QFont::Normal);
    qf.setFontItalic(cf.IsItalic());
    qf.setFontUnderline(cf.IsUnderline());
    qf.setFontStrikeOut(cf.IsStrikeout());
    if (cf.yHeight > 0)
        qf.setFontPointSize(cf.yHeight / 20.0);
    if (!cf.IsAutoColor()) {
        const uint32_t cr = cf.crTextColor;  // 0x00BBGGRR
        qf.setForeground(QColor(static_cast<int>(cr & 0xFF), static_cast<int>((cr >> 8) & 0xFF),
                                static_cast<int>((cr >> 16) & 0xFF)));
    }
    return qf;
}

// The text of [nStart, nEnd) for one Qt block: paragraph-internal CR and LF become line
// separators, which the pane shows as line breaks.
QString BlockText(const TextModel& model, int32_t nStart, int32_t nEnd)
{
    QString str;
    for (int32_t i = nStart; i < nEnd; ++i) {
        const char32_t ch = model.CharAt(i);
        if (ch == U'\r' || ch == U'\n')
            str += QChar(0x2028);
        else
            str += QString::fromUcs4(&ch, 1);
    }
    return str;
}

void AppendParagraph(const TextModel& model, size_t nPara, QTextCursor& cursor)
{
    const Paragraph& para = model.ParagraphAt(nPara);
    int32_t nEnd = model.ParagraphEnd(nPara);
    if (nPara + 1 < model.ParagraphCount())
        nEnd -= 2;  // the CR LF of the break are the block boundary
    cursor.setBlockFormat(BlockFormatOf(para));
    int32_t nRun = para.nStart;
    while (nRun < nEnd) {
        int32_t nRunEnd = nRun + 1;
        while (nRunEnd < nEnd && model.FormatIdAt(nRunEnd) == model.FormatIdAt(nRun))
            ++nRunEnd;
        cursor.insertText(BlockText(model, nRun, nRunEnd), CharFormatOf(model.FormatAt(nRun)));
        nRun = nRunEnd;
    }
}

}  // namespace

QString HelpFilePath(const QString& strWorkDir)
{
    return QDir::toNativeSeparators(QDir(strWorkDir).filePath(QStringLiteral("Content/Orvandel.rtf")));
}

QString HelpFileErrorText(HelpFileError error, const QString& strPath)
{
    switch (error) {
    case HelpFileError::None: return QString();
    case HelpFileError::NotFound: return QStringLiteral("%1 was not found.").arg(strPath);
    case HelpFileError::AccessDenied: return QStringLiteral("Access to %1 was denied.").arg(strPath);
    case HelpFileError::Other:
        break;
    }
    return QStringLiteral("An unexpected file error occurred while accessing %1.").arg(strPath);
}

HelpFileError LoadHelpDocument(const QString& strPath, QTextDocument& doc)
{
    doc.clear();
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        switch (file.error()) {
        case QFileDevice::OpenError:
            return QFile::exists(strPath) ? HelpFileError::AccessDenied : HelpFileError::NotFound;
        case QFileDevice::PermissionsError: return HelpFileError::AccessDenied;
        default: return HelpFileError::Other;
        }
    }
    const QByteArray bytes = file.readAll();
    TextModel model;
    // A damaged file still shows what could be read of it: help is better in part than not at all.
    static_cast<void>(ReadRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), model));
    FillHelpDocument(model, doc);
    return HelpFileError::None;
}

void FillHelpDocument(const TextModel& model, QTextDocument& doc)
{
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (size_t nPara = 0; nPara < model.ParagraphCount(); ++nPara) {
        if (nPara > 0)
            cursor.insertBlock();
        AppendParagraph(model, nPara, cursor);
    }
    cursor.endEditBlock();
    doc.clearUndoRedoStacks();
    doc.setModified(false);
}

}  // namespace velmora
