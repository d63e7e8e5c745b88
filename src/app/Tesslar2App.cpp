#include "Tesslar2App.h"

#include "EndRequest.h"
#include "HostInfo.h"
#include "HostStartup.h"
#include "KeyboardLayout.h"
#include "PlatformCheck.h"
#include "SplashDlg.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/AppSettings.h"
#include "dialogs/HebrewHelpDlg.h"
#include "dialogs/MessageBox.h"
#include "doc/RecoveryCopy.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "frame/CommandTable.h"
#include "frame/MainFrame.h"
#include "host/HebrewGroup.h"
#include "host/XkbGroups.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace velmora {

namespace {

// The class of the running Dreamweaver's main window.
constexpr char kHostWindowClass[] = "AfxFrameOrView42";

HostState CheckHost() {
    if (g_hostInfo.m_nHostKind == HOST_NONE) return HostState::None;
    if (g_hostInfo.m_nHostKind != HOST_DREAMWEAVER) return HostState::NotDreamweaver;
    return g_hostInfo.FindAppWindow(kHostWindowClass) ? HostState::Ready : HostState::WindowClosed;
}

// Velmora runs on the NT family of platforms only; elsewhere it says so and ends.
bool CheckPlatform() {
    g_nPlatformKind = PlatformKindFromId(ReportedPlatformId());
    if (g_nPlatformKind != 0) return true;
    ShowMessageBox(nullptr, QStringLiteral("Velmora dosen't work under this OS !"), QMessageBox::NoIcon);
    return false;
}

}  // namespace

CTesslar2App::CTesslar2App(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(kMessageBoxTitle);
    // Settings live under this organisation and the application's name.
    setOrganizationName(QString::fromLatin1(kSettingsOrganisation));
    setApplicationDisplayName(QString());
}

CTesslar2App::~CTesslar2App() {
    m_pRecovery.reset();
    m_pKeyboard.reset();
    m_pFrame.reset();
    m_pDoc.reset();
}

bool CTesslar2App::InitInstance(const QStringList& args) {
    ShowSplash();
    if (!CheckPlatform()) return false;

    // The document, the main window and its view.
    m_pRecovery.reset();
    m_pFrame.reset();  // the view of an earlier start goes before its document
    m_pDoc = std::make_unique<CTesslar2Doc>();
    m_pRecovery = std::make_unique<CRecoveryCopy>(*m_pDoc, RecoveryFolder());
    m_pFrame = std::make_unique<CMainFrame>(m_pDoc.get(), IsHebrewUserInterface());
    connect(m_pFrame.get(), &CMainFrame::AboutRequested, this, &CTesslar2App::OnAppAbout);
    connect(m_pFrame.get(), &CMainFrame::HebrewHelpRequested, this, &CTesslar2App::OnHebrewHelp);
    m_pFrame->GetActiveView()->SetHostCheck(CheckHost);
    // Before anything is saved: a save guards its temporary file against these signals only
    // while they have no handler, and puts back what it found.
    OnEndRequest(m_pFrame.get(), [this] { EndKeepingChanges(); });

    // The command line: no argument gives a new empty document, a file name opens that file; a
    // file that will not open ends the program after the message. A warning about the file waits
    // for the window, so that it is read beside the text it is about.
    QString strOpenWarning;
    if (args.size() > 1 && !m_pFrame->OpenDocumentFile(args.at(1), &strOpenWarning)) return false;

    // Hebrew while Velmora's windows have the focus, the user's own layout elsewhere.
    m_pKeyboard = std::make_unique<CKeyboardLayout>([this](char chLetter) { return RunAltShiftCommand(chLetter); });
    std::vector<std::string> groupNames;
    if (ReadXkbGroupNames(groupNames)) m_pFrame->GetActiveView()->SetHebrewKeyboardGroup(FindHebrewGroup(groupNames));
    m_pFrame->show();
    m_pFrame->GetActiveView()->setFocus();
    if (!strOpenWarning.isEmpty()) ShowMessageBox(m_pFrame.get(), strOpenWarning);
    OfferLeftCopy();

    // The working directory, the host found there and the host started. Its messages take the
    // focus for a moment; give it back to the editor.
    if (!RunHostStartup(m_pFrame.get())) return false;
    m_pFrame->activateWindow();
    return !m_bEnding;  // asked to end while a start-up message was up
}

bool CTesslar2App::RunAltShiftCommand(char chLetter) {
    // Only where the accelerators themselves would act: the main window active, nothing modal.
    const int nId = AltShiftCommand(chLetter);
    if (nId == 0 || !m_pFrame || activeModalWidget() || activePopupWidget() || activeWindow() != m_pFrame.get())
        return false;
    QMetaObject::invokeMethod(
        m_pFrame.get(), [this, nId] { m_pFrame->OnCommand(nId); }, Qt::QueuedConnection);
    return true;
}

void CTesslar2App::OfferLeftCopy() {
    std::optional<LeftCopy> left = TakeLeftCopy(RecoveryFolder());
    if (!left || !m_pFrame->OfferLeftCopy(*left)) return;
    // The changes are in this editor's own copy before the one they came from goes.
    m_pRecovery->WriteNow();
    left->Discard();
}

void CTesslar2App::EndKeepingChanges() {
    m_pRecovery->WriteNow();
    m_pRecovery->Leave();
    m_bEnding = true;
    QCoreApplication::exit(0);
}

void CTesslar2App::OnAppAbout() { ShowAboutBox(m_pFrame.get()); }

void CTesslar2App::OnHebrewHelp() { ShowHebrewHelp(QString::fromStdString(g_hostInfo.m_szWorkDir), m_pFrame.get()); }

}  // namespace velmora
