// The one window of the program: memos, destination, folder tree, file list, test box, the
// mark button and the report box that takes the place of tree and list while a session runs.
// Sessions run in the background (BackgroundMarking); the window is their host.
#pragma once

#include "documents/workspace.h"
#include "marking/markinghost.h"
#include "typeicons.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTimer;

namespace tallimark {

class BackgroundMarking;
class ClassResultsWindow;
class Dialogs;
class ElidedLabel;
class FileList;
class FolderTree;
class HelpWindow;
class ReportBox;
class SettingsMenu;
class TestBox;

struct StartOptions
{
    QString startFolder;   // the folder shown first; empty: the user's home folder
    QString programFolder; // where destination folders are made; empty: programFolder()
};

class MainWindow : public QMainWindow, public MarkingHost
{
    Q_OBJECT

public:
    MainWindow(Dialogs &dialogs, StartOptions options, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: the roots in the tree, the first folder listed, the destination preview, the memos.
    void start();

    const Workspace &workspace() const { return m_workspace; }
    const ReportBox &reportBox() const { return *m_reportBox; }
    bool sessionRunning() const { return m_sessionRunning; }

    // How long the hint line shows where Save As saved before it shows its caption again.
    static constexpr int savedPathShownMs = 4000;
    // How often the progress, the test being marked and the report's new lines are shown while
    // a session runs: often enough to follow, seldom enough that a class of hundreds is not
    // held up by repainting them test by test.
    static constexpr int sessionDisplayIntervalMs = 100;

    // Commands, as the menus, buttons and keys run them.
    // Starts a session in the background; sessionFinished() is emitted when it has ended.
    void markTests();
    // The running session stops after the test being marked.
    void stopMarking();
    void closeReport();
    void openMarkedCopy();
    void openResults();
    void saveAs();
    // Prints the report box with the shown file's path as a header line.
    void printReport();
    // Asks for a destination folder and shows its class results once they are read.
    void openClassResults();
    void showClassResults(const QString &destFolder);
    // Asks for a destination folder and lets the teacher enter its class details, kept in it.
    void editClassDetails();
    void showAbout();
    // Opens the user guide in the interface's language, at a section (empty: its beginning).
    void showHelp(const QString &section = {});
    // F1: the guide at the section about the control that has the focus.
    void showHelpForFocus();
    HelpWindow *helpWindow() const { return m_help; }

    // The test box and the end of a drag from the file list.
    void addSelectedTests();
    void finishFileListDrag();

    // MarkingHost
    QStringList tests() const override;
    QString destinationName() const override;
    void setDestinationName(const QString &name) override;
    void setDestinationPreview(const QString &path) override;
    void setCurrentTestLabel(const QString &path) override;
    void showReport() override;
    void setReportText(const QString &text) override;
    void appendReportText(const QString &text) override;
    void showCloseReportButton() override;
    void message(const QString &text, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    Rounding rounding() const override;
    void processPendingEvents() override;
    QString applicationFolder() const override;
    void sessionStarted(const QString &destFolder, int testCount) override;
    void testFinished(const TestOutcome &outcome) override;

signals:
    void sessionFinished();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    QWidget *createHeader();
    QWidget *createBrowserSide();
    QWidget *createMarkingSide();
    void createMenus();
    void createHelpShortcut();
    // Sets every text of the window again in the interface's language.
    void retranslateUi();
    void setTabOrderAndNames();
    void connectControls();

    void loadMemos();
    void listFolder(const QString &folder, bool folderSizes);
    void showDragHint();
    void showSavedPath(const QString &path);
    void selectDestinationName();
    void destinationTyped(const QString &name);
    bool cutsInsteadOfExit(QObject *watched, QEvent *event) const;
    void hideReport();
    void holdControlsForSession(bool held);
    void backgroundSessionFinished();
    // Shows the session's progress, current test and new report lines as they are now.
    void showSessionState();
    void showSessionStateSoon();
    ClassResultsWindow *classResultsWindow();
    void openForViewing(const QString &filter);
    // Shows a marked copy or a results file in the report box.
    void showFile(const QString &path);
    // The label above the report: the marked test or the file shown, with the system's separators.
    void showFileLabel(const QString &path);

    Dialogs &m_dialogs;
    StartOptions m_options;
    Workspace m_workspace;
    TypeIcons m_icons;
    BackgroundMarking *m_marking = nullptr;

    // The file dialog's file name: Save As opens with the name it last held.
    QString m_dialogFileName;
    // The folder the last session of this run marked into; the open dialogs start there.
    QString m_lastDestination;
    bool m_sessionRunning = false;
    // Whether the report box was shown when the session started: a session that ends at the
    // destination question leaves it as it was.
    bool m_reportShownBeforeSession = false;
    // The teacher confirmed closing while a session ran: the window closes when it has stopped.
    bool m_closeWhenStopped = false;
    // The destination name was typed after the last drag, and is the one the session uses.
    bool m_destinationTyped = false;
    bool m_treeHadFocus = false;
    int m_testsDone = 0;
    // The path of the test being marked or the file shown; while a session runs, the label
    // follows with the next showSessionState().
    QString m_currentTestLabel;
    QTimer *m_sessionDisplayTimer = nullptr;

    std::array<QLabel *, 2> m_memoCaptions{};
    std::array<QLabel *, 2> m_memoFileLabels{};
    QLabel *m_memoNameHint = nullptr;
    QLabel *m_destinationCaption = nullptr;
    ElidedLabel *m_destinationPath = nullptr;
    QLineEdit *m_destinationEdit = nullptr;
    QLabel *m_foldersCaption = nullptr;
    ElidedLabel *m_hintLabel = nullptr; // the drag hint; after Save As, for a while, the saved file's path
    QTimer *m_hintCaptionTimer = nullptr;
    QLabel *m_dragArrow = nullptr;
    QPushButton *m_markButton = nullptr;
    QPushButton *m_clearTestsButton = nullptr;
    QPushButton *m_closeReportButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QFrame *m_markBand = nullptr;
    QFrame *m_browserFrame = nullptr;
    QSplitter *m_splitter = nullptr;
    QStackedWidget *m_captionRow = nullptr;   // the browser's captions, or the report's controls
    QStackedWidget *m_browserStack = nullptr; // tree and list, or the report box
    FolderTree *m_folderTree = nullptr;
    FileList *m_fileList = nullptr;
    TestBox *m_testBox = nullptr;
    ElidedLabel *m_shownFileLabel = nullptr;
    ReportBox *m_reportBox = nullptr;
    QProgressBar *m_progress = nullptr;
    SettingsMenu *m_settingsMenu = nullptr;
    QAction *m_openMarkedAction = nullptr;
    QAction *m_openResultsAction = nullptr;
    ClassResultsWindow *m_classResults = nullptr;
    HelpWindow *m_help = nullptr;
};

} // namespace tallimark
