// The one window of the program: memos, destination, folder tree, file list, test box, the
// mark button and the report box that covers tree and list while a session runs.
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

namespace tallimark {

class Dialogs;
class FileList;
class FolderTree;
class MarkingSession;
class ReportBox;
class SettingsMenu;
class TestBox;

struct StartOptions
{
    QString startFolder;    // the folder shown first; empty: the user's home folder
    QString programFolder;  // where destination folders are made; empty: programFolder()
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

    // Commands, as the menus, buttons and keys run them.
    void markTests();
    void closeReport();
    void openMarkedCopy();
    void openResults();
    void saveAs();
    // Prints the report box with the shown file's path as a header line.
    void printReport();
    void showAbout();
    void showHelp();

    // The test box and the end of a drag from the file list.
    void addSelectedTests();
    void finishFileListDrag();

    // MarkingHost
    QStringList tests() const override;
    QString destinationName() const override;
    void setDestinationName(const QString &name) override;
    void setDestinationPreview(const QString &path) override;
    QString currentTestLabel() const override;
    void setCurrentTestLabel(const QString &path) override;
    void showReport() override;
    void setReportText(const QString &text) override;
    void appendReportText(const QString &text) override;
    void showCloseReportButton() override;
    void message(const QString &text, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool resultAsInteger() const override;
    void processPendingEvents() override;
    QString applicationFolder() const override;
    void sessionStarted(int testCount) override;
    void testFinished(const TestOutcome &outcome) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void setTabOrderAndNames();
    void connectControls();

    void loadMemos();
    void listFolder(const QString &folder, bool folderSizes);
    void showDragHint();
    void selectDestinationName();
    void openForViewing(const QString &filter);

    Dialogs &m_dialogs;
    StartOptions m_options;
    Workspace m_workspace;
    TypeIcons m_icons;
    std::unique_ptr<MarkingSession> m_session;

    // The file dialog's file name: Save As opens with the name it last held.
    QString m_dialogFileName;
    bool m_sessionRunning = false;
    int m_testsDone = 0;

    std::array<QLabel *, 2> m_memoCaptions{};
    std::array<QLabel *, 2> m_memoFileLabels{};
    QLabel *m_memoNameHint = nullptr;
    QLabel *m_destinationCaption = nullptr;
    QLabel *m_destinationPath = nullptr;
    QLineEdit *m_destinationEdit = nullptr;
    QLabel *m_foldersCaption = nullptr;
    QLabel *m_hintLabel = nullptr;  // the drag hint; after Save As, the saved file's path
    QLabel *m_dragArrow = nullptr;
    QPushButton *m_markButton = nullptr;
    QPushButton *m_clearTestsButton = nullptr;
    QPushButton *m_closeReportButton = nullptr;
    QFrame *m_markBand = nullptr;
    QFrame *m_browserFrame = nullptr;
    FolderTree *m_folderTree = nullptr;
    FileList *m_fileList = nullptr;
    TestBox *m_testBox = nullptr;
    QLabel *m_shownFileLabel = nullptr;
    ReportBox *m_reportBox = nullptr;
    QProgressBar *m_progress = nullptr;
    SettingsMenu *m_settingsMenu = nullptr;
    QAction *m_openMarkedAction = nullptr;
    QAction *m_openResultsAction = nullptr;
};

} // namespace tallimark
