// Opening and saving documents: RTF files of today's word processors open with their text and
// alignment, and what Velmora saves opens again with every format, alignment and direction.

#include "QtFiles.h"
#include "QtText.h"
#include "RtfReader.h"
#include "dialogs/MessageBox.h"
#include "doc/RecoveryCopy.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "doc/ViewSnapshot.h"
#include "frame/MainFrame.h"
#include "richtext/DocumentBuilder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <sstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>

// Memory running out is made to happen here, not waited for: while g_nLargestAllocation is set,
// any single allocation through operator new larger than it fails as an exhausted heap would.
namespace {
std::size_t g_nLargestAllocation = 0;
}  // namespace

void* operator new(std::size_t nBytes) {
    if (g_nLargestAllocation != 0 && nBytes > g_nLargestAllocation) throw std::bad_alloc();
    if (void* p = std::malloc(nBytes ? nBytes : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace velmora;
using velmora::test::DumpModelText;
using velmora::test::FromU32;
using velmora::test::ToU32;
using velmora::test::WriteTestFile;

class tst_DocumentFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveThenOpenKeepsEverything_data();
    void saveThenOpenKeepsEverything();
    void opensWordProcessorFiles_data();
    void opensWordProcessorFiles();
    void showsWhatOtherWordProcessorsShow_data();
    void showsWhatOtherWordProcessorsShow();
    void failedOpenKeepsTheDocument();
    void cutShortFileOpensWithAWarning();
    void nameThatIsNotUtf8OpensAndSaves();
    void failedSaveKeepsTheOldFile();
    void titleAndModifiedFlag();
    void unsavedChangesOutliveTheEditor();

private:
    // Writes bytes to a file of that name in the test's folder and returns its path.
    QString WriteFile(const QString& strName, const QByteArray& bytes) const;

    QTemporaryDir m_dir;
    std::unique_ptr<CTesslar2Doc> m_pDoc;
};

void tst_DocumentFile::initTestCase() {
    QVERIFY(m_dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("settings")));
}

void tst_DocumentFile::init() { m_pDoc = std::make_unique<CTesslar2Doc>(); }

void tst_DocumentFile::cleanup() { m_pDoc.reset(); }

QString tst_DocumentFile::WriteFile(const QString& strName, const QByteArray& bytes) const {
    return WriteTestFile(m_dir.filePath(strName), bytes);
}

void tst_DocumentFile::saveThenOpenKeepsEverything_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hebrew bold centred") << QStringLiteral("<p align=center dir=rtl><b>שלום</b> עולם</p>")
                                         << QStringLiteral("C<|[b:שלום][: עולם]");
    QTest::newRow("colour size latin left")
        << QStringLiteral(
               "<p align=left dir=ltr><span style='color:#ff0000;font-size:16pt'>red</span> <u>u</u> <s>s</s> <i>i</i></p>")
        << QStringLiteral("L|[#ff0000 h320 c0:red][c0: ][u c0:u][c0: ][s c0:s][c0: ][i c0:i]");
    QTest::newRow("two paragraphs, right and justified")
        << QStringLiteral("<p align=right dir=rtl>אחת</p><p align=justify dir=rtl>שתיים 2</p>")
        << QStringLiteral("R<|[:אחת]\nJ<|[:שתיים 2]");
}

void tst_DocumentFile::saveThenOpenKeepsEverything() {
    QFETCH(QString, html);
    QFETCH(QString, expected);
    // Build the document through Qt's own rich text, then give it the sets the view would.
    QTextDocument source;
    source.setDefaultFont(DefaultDocumentFont());
    source.setHtml(html);
    TextModel model;
    SnapshotDocument(source, model, false);
    TextModel withSets;
    for (size_t p = 0; p < model.ParagraphCount(); ++p) {
        if (p > 0) withSets.BreakParagraph(model.FormatAt(model.ParagraphAt(p).nStart - 1));
        withSets.SetParagraphAlignment(model.ParagraphAt(p).wAlignment);
        withSets.SetParagraphRtl(model.ParagraphAt(p).bRtl);
        const int32_t nEnd = p + 1 < model.ParagraphCount() ? model.ParagraphEnd(p) - 2 : model.Length();
        for (int32_t i = model.ParagraphAt(p).nStart; i < nEnd; ++i) {
            CharFormat cf = model.FormatAt(i);
            const char32_t ch = model.CharAt(i);
            cf.bCharSet = (ch >= 0x05D0 && ch <= 0x05EA) || (model.ParagraphAt(p).bRtl && ch < 'A') ? 177 : 0;
            withSets.Append(ch, cf);
        }
    }
    FillDocument(withSets, *m_pDoc->GetTextDocument());

    const QString strPath = m_dir.filePath(QStringLiteral("saved.rtf"));
    QString strError;
    QVERIFY2(m_pDoc->OnSaveDocument(strPath, strError), qPrintable(strError));
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{\\rtf1"));

    CTesslar2Doc reopened;
    QVERIFY2(reopened.OnOpenDocument(strPath, strError), qPrintable(strError));
    TextModel back;
    SnapshotDocument(*reopened.GetTextDocument(), back, false);
    QCOMPARE(DumpModelText(back), expected);
    QCOMPARE(reopened.GetPathName(), QFileInfo(strPath).absoluteFilePath());
    QVERIFY(!reopened.IsModified());
}

void tst_DocumentFile::opensWordProcessorFiles_data() {
    QTest::addColumn<QString>("file");
    const QDir dir(qEnvironmentVariable("VELMORA_TESTDATA") + QStringLiteral("/rtf"));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        if (name.startsWith(QLatin1String("01-")) || name.startsWith(QLatin1String("04-")) ||
            name.startsWith(QLatin1String("05-")))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    if (files.isEmpty()) QTest::newRow("no corpus") << QString();
}

void tst_DocumentFile::opensWordProcessorFiles() {
    QFETCH(QString, file);
    if (file.isEmpty()) QSKIP("the shared RTF corpus is not there");
    QFile sidecar(file + QStringLiteral(".json"));
    QVERIFY(sidecar.open(QIODevice::ReadOnly));
    const QJsonArray paragraphs =
        QJsonDocument::fromJson(sidecar.readAll()).object().value(QStringLiteral("paragraphs")).toArray();

    QString strError;
    QVERIFY2(m_pDoc->OnOpenDocument(file, strError), qPrintable(strError));
    TextModel model;
    SnapshotDocument(*m_pDoc->GetTextDocument(), model, false);
    // A line break inside a paragraph is a paragraph of its own with the same alignment.
    QStringList texts;
    QList<int> aligns;
    static const QStringList kAlign = {QString(), QStringLiteral("left"), QStringLiteral("right"),
                                       QStringLiteral("center"), QStringLiteral("justify")};
    for (const QJsonValue& v : paragraphs) {
        const QJsonObject para = v.toObject();
        for (const QString& line : para.value(QStringLiteral("text")).toString().split(QLatin1Char('\n'))) {
            texts << line;
            aligns << static_cast<int>(kAlign.indexOf(para.value(QStringLiteral("align")).toString()));
        }
    }
    QCOMPARE(static_cast<int>(model.ParagraphCount()), static_cast<int>(texts.size()));
    for (size_t p = 0; p < model.ParagraphCount(); ++p) {
        const int32_t nStart = model.ParagraphAt(p).nStart;
        const int32_t nEnd = p + 1 < model.ParagraphCount() ? model.ParagraphEnd(p) - 2 : model.Length();
        QCOMPARE(FromU32(model.Text().substr(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart))),
                 texts[static_cast<int>(p)]);
        QCOMPARE(int(model.ParagraphAt(p).wAlignment), aligns[static_cast<int>(p)]);
    }
}

// Files as other word processors write them: the editor shows the paragraphs the reader reads,
// list labels, note marks, text boxes and East Asian characters included.
void tst_DocumentFile::showsWhatOtherWordProcessorsShow_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("paragraph");  // one of the paragraphs it must show
    QTest::newRow("bullets") << "word-bullets.rtf" << QStringLiteral("•\tלחם טרי");
    QTest::newRow("hebrew numerals") << "word-hebrew-numerals.rtf" << QStringLiteral("טו.\tפריט מספר 15");
    QTest::newRow("footnotes") << "word-footnotes.rtf" << QStringLiteral("טקסט עם הערה1 ועוד הערה2");
    QTest::newRow("headers") << "word-headers-footers.rtf" << QStringLiteral("גוף המסמך, פסקה ראשונה.");
    QTest::newRow("text box") << "word-textbox.rtf" << QStringLiteral("טקסט בתוך תיבה");
    QTest::newRow("japanese") << "cjk-932.rtf" << QStringLiteral("日本語のテキスト、カタカナ ｶﾀｶﾅ");
    QTest::newRow("libreoffice lists") << "lo-lists.rtf" << QStringLiteral("5.\tחמש");
    QTest::newRow("word 6 numbering") << "word6-pn-numbering.rtf" << QStringLiteral("3.\tשלישי");
    QTest::newRow("lists in a table") << "word-table-lists.rtf" << QStringLiteral("•\tתבליט\tרגיל\t");
    QTest::newRow("chinese list labels") << "cjk-950-list-labels.rtf" << QStringLiteral("第2章\tשלום");
    QTest::newRow("nested row text") << "nested-row-properties-and-equations.rtf" << QStringLiteral("פנימי ב\t\t");
    QTest::newRow("symbol bullet in the western set")
        << "symbol-font-in-western-set.rtf" << QStringLiteral("•\tfirst item");
}

void tst_DocumentFile::showsWhatOtherWordProcessorsShow() {
    QFETCH(QString, file);
    QFETCH(QString, paragraph);
    const QString strPath = QStringLiteral(VELMORA_SOURCE_DIR "/tests/data/rtf-wild/") + file;
    QFile rtf(strPath);
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    const QByteArray bytes = rtf.readAll();
    TextModel read;
    QVERIFY(ReadRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), read).bOk);

    QString strError;
    QVERIFY2(m_pDoc->OnOpenDocument(strPath, strError), qPrintable(strError));
    QStringList shown;
    for (QTextBlock block = m_pDoc->GetTextDocument()->begin(); block.isValid(); block = block.next())
        shown << block.text();
    QStringList expected = FromU32(read.Text()).split(QStringLiteral("\r\n"));
    QCOMPARE(shown, expected);
    QVERIFY2(shown.contains(paragraph), qPrintable(shown.join(QLatin1Char('\n'))));
}

void tst_DocumentFile::failedOpenKeepsTheDocument() {
    CMainFrame frame(m_pDoc.get(), false);
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("שמור"));
    m_pDoc->SetModifiedFlag(false);
    const QString strPath = WriteFile(QStringLiteral("not-rtf.rtf"), "plain text, not RTF\n");
    CMessageBoxCapture capture;
    QVERIFY(!frame.OpenDocumentFile(strPath));
    QCOMPARE(capture.Boxes().size(), size_t{1});
    QVERIFY2(capture.Boxes()[0].strText.startsWith(QStringLiteral("Failed to open document.")),
             qPrintable(capture.Boxes()[0].strText));
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("שמור"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Document - Velmora"));
    QVERIFY(!frame.OpenDocumentFile(m_dir.filePath(QStringLiteral("missing.rtf"))));
    QCOMPARE(capture.Boxes().size(), size_t{2});

    // A sound file too large for the memory left: the reading fails before the document is touched.
    const QString strLarge = WriteFile(QStringLiteral("large.rtf"), "{\\rtf1\\ansi " + QByteArray(2 << 20, 'x') + "}");
    g_nLargestAllocation = 1 << 20;
    const bool bOpened = frame.OpenDocumentFile(strLarge);
    g_nLargestAllocation = 0;
    QVERIFY(!bOpened);
    QCOMPARE(capture.Boxes().size(), size_t{3});
    QCOMPARE(capture.Boxes()[2].strText, QStringLiteral("Failed to open document.\n\n") +
                                             QDir::toNativeSeparators(strLarge) +
                                             QStringLiteral(": there is not enough memory to read the file"));
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("שמור"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Document - Velmora"));
}

// A file cut short shows what it holds, under its own name, and the user is told it may be cut short.
void tst_DocumentFile::cutShortFileOpensWithAWarning() {
    CMainFrame frame(m_pDoc.get(), false);
    const QString strPath = WriteFile(QStringLiteral("cut.rtf"),
                                      "{\\rtf1\\ansi\\ansicpg1255 \\pard\\qr \\'f9\\'ec\\'e5\\'ed\\par {\\b abc");
    CMessageBoxCapture capture;
    QVERIFY(frame.OpenDocumentFile(strPath));
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("שלום\nabc"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("cut.rtf - Velmora"));
    QCOMPARE(capture.Boxes().size(), size_t{1});
    QCOMPARE(capture.Boxes()[0].strText, QDir::toNativeSeparators(strPath) +
                                             QStringLiteral(": the file ends inside a group, so it may have been cut "
                                                            "short; what it holds up to there is shown."));
}

// A Hebrew Windows name unpacked as it was, Windows-1255 bytes in a folder named the same way:
// the file opens under the name Qt shows, and saving writes that same file, not a new one.
void tst_DocumentFile::nameThatIsNotUtf8OpensAndSaves() {
    const std::string folder = QFile::encodeName(m_dir.path()).toStdString() + "/\xf7\xe1\xf6\xe9\xed";
    const std::string file = folder + "/\xee\xeb\xfa\xe1.rtf";
    QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
    // Removed here: Qt's temporary folder cannot name what is inside.
    const std::unique_ptr<const std::string, void (*)(const std::string*)> removeAtEnd(
        &folder, [](const std::string* pFolder) { std::filesystem::remove_all(*pFolder); });
    std::ofstream(file) << "{\\rtf1\\ansi\\ansicpg1255 \\'f9\\'ec\\'e5\\'ed}";
    const QString strShown = QFile::decodeName(QByteArray::fromStdString(file));
    QString strError;
    QVERIFY2(m_pDoc->OnOpenDocument(strShown, strError), qPrintable(strError));
    QCOMPARE(m_pDoc->GetTextDocument()->toPlainText(), QStringLiteral("שלום"));

    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("abc "));
    QVERIFY2(m_pDoc->OnSaveDocument(m_pDoc->GetPathName(), strError), qPrintable(strError));
    std::ostringstream saved;
    saved << std::ifstream(file).rdbuf();
    QVERIFY2(saved.str().find("abc") != std::string::npos, saved.str().c_str());
    const auto entries = std::filesystem::directory_iterator(folder);
    QCOMPARE(std::distance(begin(entries), end(entries)), 1);

    // A second name that reads the same: neither file is taken for the other.
    std::ofstream(folder + "/\xee\xeb\xfa\xe2.rtf") << "{\\rtf1 other}";
    QVERIFY(!m_pDoc->OnOpenDocument(strShown, strError));
}

// Saves that fail even for root: the message names the file and the reason, the document stays
// modified and keeps its name, and the file it was saved to before is untouched.
void tst_DocumentFile::failedSaveKeepsTheOldFile() {
    CMainFrame frame(m_pDoc.get(), false);
    const QString strOld = m_dir.filePath(QStringLiteral("old.rtf"));
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("ישן"));
    QString strError;
    QVERIFY(m_pDoc->OnSaveDocument(strOld, strError));
    QFile oldFile(strOld);
    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = oldFile.readAll();
    oldFile.close();
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("חדש"));

    QFile(m_dir.filePath(QStringLiteral("plain"))).open(QIODevice::WriteOnly);
    const QString strFull = m_dir.filePath(QStringLiteral("full"));  // a device that is always full
    const bool bDevice = ::mknod(QFile::encodeName(strFull).constData(), S_IFCHR | 0666, ::makedev(1, 7)) == 0;
    const struct {
        QString strPath;
        QString strReason;
    } rows[] = {
        {m_dir.filePath(QStringLiteral("no/such/folder/x.rtf")),
         QStringLiteral("cannot create a file in its folder: No such file or directory")},
        {m_dir.filePath(QStringLiteral("plain/x.rtf")),
         QStringLiteral("cannot create a file in its folder: Not a directory")},
        {strOld, QStringLiteral("the file is read-only")},
        {bDevice ? strFull : QString(), QStringLiteral("cannot write the file: No space left on device")},
    };
    QFile::setPermissions(strOld, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    CMessageBoxCapture capture;
    for (const auto& row : rows) {
        if (row.strPath.isEmpty()) continue;
        const QString strNamed = QDir::toNativeSeparators(row.strPath) + QStringLiteral(": ") + row.strReason;
        QVERIFY(!m_pDoc->OnSaveDocument(row.strPath, strError));
        QCOMPARE(strError, strNamed);
        QVERIFY(m_pDoc->IsModified());
        QCOMPARE(m_pDoc->GetPathName(), QFileInfo(strOld).absoluteFilePath());
    }
    // What the user sees for Save over the read-only file.
    QVERIFY(!frame.OnFileSave());
    QCOMPARE(capture.Boxes().size(), size_t{1});
    QCOMPARE(capture.Boxes()[0].strText, QStringLiteral("Failed to save document.\n\n") +
                                             QDir::toNativeSeparators(strOld) +
                                             QStringLiteral(": the file is read-only"));
    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    QCOMPARE(oldFile.readAll(), oldBytes);
    if (bDevice) QVERIFY(QFileInfo(strFull).exists() && !QFileInfo(strFull).isFile());
}

void tst_DocumentFile::titleAndModifiedFlag() {
    CMainFrame frame(m_pDoc.get(), false);
    QCOMPARE(frame.windowTitle(), QStringLiteral("Document - Velmora"));
    QVERIFY(!m_pDoc->IsModified());
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("א"));
    QVERIFY(m_pDoc->IsModified());
    QString strError;
    QVERIFY(m_pDoc->OnSaveDocument(m_dir.filePath(QStringLiteral("Title.rtf")), strError));
    QVERIFY(!m_pDoc->IsModified());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Title.rtf - Velmora"));
    m_pDoc->OnNewDocument();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Document - Velmora"));
    QVERIFY(m_pDoc->GetTextDocument()->isEmpty());
}

// The copy of unsaved changes is there while they are unsaved, belongs to its editor while that
// runs, and once left brings the document back whole: its text, its file, and what saving over
// that file would lose.
void tst_DocumentFile::unsavedChangesOutliveTheEditor() {
    const QString strFolder = m_dir.filePath(QStringLiteral("recovery"));
    const QByteArray withPicture = "{\\rtf1 a{\\pict\\pngblip 89504e47}}";
    const QString strPath = WriteFile(QStringLiteral("letter.rtf"), withPicture);
    QString strError;
    QVERIFY(m_pDoc->OnOpenDocument(strPath, strError));
    auto pCopy = std::make_unique<CRecoveryCopy>(*m_pDoc, strFolder, 10);
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("שלום "));
    QTRY_VERIFY(QFile::exists(pCopy->CopyPath()));
    QVERIFY(m_pDoc->OnSaveDocument(strPath, strError));
    QVERIFY(!QFile::exists(pCopy->CopyPath()));

    WriteFile(QStringLiteral("letter.rtf"), withPicture);
    QVERIFY(m_pDoc->OnOpenDocument(strPath, strError));
    QTextCursor(m_pDoc->GetTextDocument()).insertText(QStringLiteral("שלום "));
    QTRY_VERIFY(QFile::exists(pCopy->CopyPath()));
    QVERIFY(!TakeLeftCopy(strFolder));  // its editor runs
    pCopy->Leave();
    pCopy.reset();

    std::optional<LeftCopy> left = TakeLeftCopy(strFolder);
    QVERIFY(left);
    QVERIFY(!TakeLeftCopy(strFolder));  // held while it is offered
    CTesslar2Doc reopened;
    QVERIFY2(reopened.OnOpenLeftCopy(*left, strError), qPrintable(strError));
    QCOMPARE(reopened.GetTextDocument()->toPlainText(), QStringLiteral("שלום a"));
    QVERIFY(reopened.IsModified());
    QCOMPARE(reopened.GetPathName(), m_pDoc->GetPathName());
    QCOMPARE(reopened.UnkeptInFile(), m_pDoc->UnkeptInFile());
    QVERIFY(reopened.UnkeptInFile() != 0);
    QVERIFY(reopened.VersionRead() == m_pDoc->VersionRead());
    left->Discard();
    QCOMPARE(QDir(strFolder).entryList(QDir::Files), QStringList());
}

QTEST_MAIN(tst_DocumentFile)
#include "DocumentFileTest.moc"
