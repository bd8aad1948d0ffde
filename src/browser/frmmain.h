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

class frmMain : public QMainWindow, public MarkingHost
{
    Q_OBJECT

public:
    frmMain(Dialogs &dialogs, StartOptions options, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: the roots in the tree, the first folder listed, the destination preview, the memos.
    void Form_Load();

    const Workspace &workspace() const { return m_workspace; }
    const ReportBox &reportBox() const { return *RichTextBox3; }
    bool sessionRunning() const { return m_sessionRunning; }

    // Commands, as the menus, buttons and keys run them.
    void Command1_Click();
    void Command8_Click(int index);
    void mnuMarked_Click();
    void mnuResults_Click();
    void mnuSave_Click();
    void mnuPrint_Click();
    void Command6_Click();
    void mnuAbout_Click();
    void mnuHelp_Click();
    void mnuExit_Click();

    // The test box and the end of a drag from the file list.
    void List1_OLEDragDrop();
    void lvDir_OLECompleteDrag();

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
    void lvDir_GotFocus();
    void Text1_GotFocus();
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

    std::array<QLabel *, 2> Label6{};
    std::array<QLabel *, 2> Label7{};
    QLabel *Label11 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Picture1 = nullptr;
    QPushButton *Command1 = nullptr;
    std::array<QPushButton *, 2> Command8{};
    QFrame *Shape2 = nullptr;
    QFrame *Shape1 = nullptr;
    FolderTree *tvDir = nullptr;
    FileList *lvDir = nullptr;
    TestBox *List1 = nullptr;
    QLabel *Label3 = nullptr;
    ReportBox *RichTextBox3 = nullptr;
    QProgressBar *progress = nullptr;
    SettingsMenu *mnuSettings = nullptr;
    QAction *mnuMarked = nullptr;
    QAction *mnuResults = nullptr;
};

} // namespace tallimark
