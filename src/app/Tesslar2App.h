#pragma once
// The application object: brings up the document, the main window and its view, opens the file
// named on the command line, and answers the application's own commands (About, Hebrew help).

#include <QApplication>

#include <memory>

namespace velmora {

class CKeyboardLayout;
class CMainFrame;
class CRecoveryCopy;
class CTesslar2Doc;

class CTesslar2App : public QApplication {
    Q_OBJECT
public:
    CTesslar2App(int& argc, char** argv);
    ~CTesslar2App() override;

    // The start-up routine over the command line args (the program's name first, then an
    // optional document to open). Returns false when the program must end.
    bool InitInstance(const QStringList& args);
    CMainFrame* GetMainFrame() const { return m_pFrame.get(); }

public slots:
    void OnAppAbout();
    void OnHebrewHelp();

private:
    // Alt+Shift+chLetter recognised by the keys' positions: queues its command; false when the
    // letter has none or the main window cannot take a command now.
    bool RunAltShiftCommand(char chLetter);
    // Offers back the unsaved changes of an editor that ended without saving them.
    void OfferLeftCopy();
    // The session ends or the program is killed from its terminal: the unsaved changes stay in
    // their copy for the next start, and the program ends without asking.
    void EndKeepingChanges();

    std::unique_ptr<CKeyboardLayout> m_pKeyboard;
    std::unique_ptr<CTesslar2Doc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<CRecoveryCopy> m_pRecovery;
    bool m_bEnding = false;  // EndKeepingChanges has run: the event loop must not start
};

}  // namespace velmora
