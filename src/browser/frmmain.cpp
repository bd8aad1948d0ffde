#include "frmmain.h"

#include "dialogs.h"
#include "filelist.h"
#include "foldertree.h"
#include "marking/markingsession.h"
#include "marking/programfolder.h"
#include "reportbox.h"
#include "settings/settingsmenu.h"
#include "settings/smallcommands.h"
#include "testbox.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace tallimark {

namespace {

// The window's outer width never goes below this.
constexpr int minimumOuterWidth = pixels(3000);

const QColor greenBox(192, 255, 192);

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

// An arrow pointing right, towards the test box.
QPixmap arrowPicture(const QSize &size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    QPainterPath arrow;
    arrow.moveTo(1, h * 0.35);
    arrow.lineTo(w * 0.55, h * 0.35);
    arrow.lineTo(w * 0.55, 1);
    arrow.lineTo(w - 1, h / 2);
    arrow.lineTo(w * 0.55, h - 1);
    arrow.lineTo(w * 0.55, h * 0.65);
    arrow.lineTo(1, h * 0.65);
    arrow.closeSubpath();
    painter.fillPath(arrow, QColor(0, 128, 0));
    return picture;
}

} // namespace

frmMain::frmMain(Dialogs &dialogs, StartOptions options, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_options(std::move(options))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tallimark 2013"));
    // The fixed layout was drawn for a small dialog font; at the desktop's usual size the
    // captions would not fit their boxes.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    if (m_options.programFolder.isEmpty())
        m_options.programFolder = programFolder();

    m_session = std::make_unique<MarkingSession>(m_workspace, *this);
    createControls();
    createMenus();
    setTabOrderAndNames();
    connectControls();

    resize(pixels(13935), pixels(10635) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(area);

    // Frames first: later siblings are drawn over them.
    Shape1 = new QFrame(area);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(twipsRect(105, 2265, 8820, 7980));
    Shape2 = new QFrame(area);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setAutoFillBackground(true);
    QPalette band = Shape2->palette();
    band.setColor(QPalette::Window, greenBox);
    Shape2->setPalette(band);
    Shape2->setGeometry(twipsRect(9030, 1980, 4785, 330));

    Label6[0] = label(area, QStringLiteral("Label6_0"), QStringLiteral("Afrikaans memo: (Oct 2013 preloaded)"),
                      twipsRect(120, 240, 3855, 255));
    Label7[0] = label(area, QStringLiteral("Label7_0"), QStringLiteral("Bron.rtf"), twipsRect(4080, 240, 1080, 285));
    Label6[1] = label(area, QStringLiteral("Label6_1"), QStringLiteral("English memo file: (Oct 2013 preloaded)"),
                      twipsRect(120, 600, 3855, 255));
    Label7[1] = label(area, QStringLiteral("Label7_1"), QStringLiteral("Source.rtf"), twipsRect(4080, 600, 1095, 255));
    Label11 = label(area, QStringLiteral("Label11"), QStringLiteral("(Any new memo must be saved as Bron.rtf or Source.rtf)"),
                    twipsRect(5520, 360, 5055, 255));
    Label8 = label(area, QStringLiteral("Label8"), QStringLiteral("Destination folder (where results will be saved)"),
                   twipsRect(120, 1110, 2415, 495));
    Label8->setWordWrap(true);
    Label9 = label(area, QStringLiteral("Label9"), QString(), twipsRect(2880, 1200, 10935, 255));

    Text1 = new QLineEdit(QStringLiteral("New Folder"), area);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(11280, 1560, 2535, 285));
    Text1->installEventFilter(this);

    Label5 = label(area, QStringLiteral("Label5"), QStringLiteral("Search here for speed tests"),
                   twipsRect(720, 1995, 2175, 255));
    // The hint beside it starts well to the right; let the caption have the room it needs.
    Label5->resize(std::max(Label5->width(), Label5->sizeHint().width()), Label5->height());
    Label4 = label(area, QStringLiteral("Label4"), QStringLiteral("Drag speed tests to green box"),
                   twipsRect(4680, 1995, 2295, 255));
    Label4->hide();
    Picture1 = label(area, QStringLiteral("Picture1"), QString(), twipsRect(6960, 1995, 375, 255));
    // With a wider font than the layout was drawn for, the picture moves right to keep clear of the hint.
    if (Label4->sizeHint().width() > Label4->width()) {
        Label4->resize(Label4->sizeHint().width(), Label4->height());
        Picture1->move(Label4->geometry().right() + 4, Picture1->y());
    }
    Picture1->setPixmap(arrowPicture(Picture1->size()));
    Picture1->hide();

    Command1 = new QPushButton(QStringLiteral("Click here to mark speed tests below"), area);
    Command1->setObjectName(QStringLiteral("Command1"));
    QFont bold = Command1->font();
    bold.setBold(true);
    Command1->setFont(bold);
    Command1->setGeometry(twipsRect(9060, 1950, 3855, 330));
    Command8[1] = new QPushButton(QStringLiteral("Clear"), area);
    Command8[1]->setObjectName(QStringLiteral("Command8_1"));
    Command8[1]->setGeometry(twipsRect(12960, 1950, 840, 330));

    tvDir = new FolderTree(m_icons, area);
    tvDir->setObjectName(QStringLiteral("tvDir"));
    tvDir->setGeometry(twipsRect(120, 2280, 3255, 7935));
    lvDir = new FileList(m_icons, area);
    lvDir->setObjectName(QStringLiteral("lvDir"));
    lvDir->setGeometry(twipsRect(3480, 2280, 5415, 7935));

    List1 = new TestBox(area);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(twipsRect(9000, 2280, 4815, 7860));
    QPalette green = List1->palette();
    green.setColor(QPalette::Base, greenBox);
    green.setColor(QPalette::Text, Qt::black);
    List1->setPalette(green);

    Label3 = label(area, QStringLiteral("Label3"), QString(), twipsRect(0, 1680, 8895, 255));

    RichTextBox3 = new ReportBox(area);
    RichTextBox3->setObjectName(QStringLiteral("RichTextBox3"));
    RichTextBox3->setGeometry(twipsRect(0, 2280, 8925, 8295));
    RichTextBox3->hide();
    Command8[0] = new QPushButton(QStringLiteral("Clear"), area);
    Command8[0]->setObjectName(QStringLiteral("Command8_0"));
    Command8[0]->setGeometry(twipsRect(8040, 2280, 840, 300));
    Command8[0]->hide();

    // While a session runs the report box covers the tree and the list, so the row of their
    // captions is free for the progress of the session.
    progress = new QProgressBar(area);
    progress->setObjectName(QStringLiteral("progress"));
    progress->setGeometry(twipsRect(120, 1995, 8775, 255));
    progress->setFormat(QStringLiteral("%v of %m tests marked"));
    progress->hide();
}

void frmMain::createMenus()
{
    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    auto add = [this](QMenu *menu, const QString &name, const QString &caption, void (frmMain::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuMarked = add(mnuFile, QStringLiteral("mnuMarked"), QStringLiteral("Open Marked SpeedTest"), &frmMain::mnuMarked_Click);
    mnuResults = add(mnuFile, QStringLiteral("mnuResults"), QStringLiteral("Open Results"), &frmMain::mnuResults_Click);
    add(mnuFile, QStringLiteral("mnuSave"), QStringLiteral("Save As..."), &frmMain::mnuSave_Click);
    add(mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("Print"), &frmMain::mnuPrint_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep"));
    QAction *exit = add(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), &frmMain::mnuExit_Click);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    mnuSettings = new SettingsMenu(this);
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    menuBar()->addMenu(mnuSettings);

    QAction *about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    QAction *help = menuBar()->addAction(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(help, &QAction::triggered, this, &frmMain::mnuHelp_Click);
}

void frmMain::setTabOrderAndNames()
{
    // The teacher's way through the window: find the folder, pick the tests, check the green
    // box, name the destination, mark, then read and close the report.
    QWidget::setTabOrder(tvDir, lvDir);
    QWidget::setTabOrder(lvDir, List1);
    QWidget::setTabOrder(List1, Command8[1]);
    QWidget::setTabOrder(Command8[1], Text1);
    QWidget::setTabOrder(Text1, Command1);
    QWidget::setTabOrder(Command1, RichTextBox3);
    QWidget::setTabOrder(RichTextBox3, Command8[0]);

    Label5->setBuddy(tvDir);
    Label8->setBuddy(Text1);
    tvDir->setAccessibleName(QStringLiteral("Folders: search here for speed tests"));
    lvDir->setAccessibleName(QStringLiteral("Speed tests in the folder"));
    lvDir->setAccessibleDescription(QStringLiteral("Press Insert to add the selected tests to the green box"));
    List1->setAccessibleName(QStringLiteral("Green box: speed tests to mark"));
    List1->setAccessibleDescription(QStringLiteral("Press Delete to remove the selected test"));
    Command8[1]->setAccessibleName(QStringLiteral("Clear the green box"));
    Text1->setAccessibleName(QStringLiteral("Destination folder name"));
    Label9->setAccessibleName(QStringLiteral("Destination folder"));
    Command1->setAccessibleName(QStringLiteral("Mark the speed tests in the green box"));
    RichTextBox3->setAccessibleName(QStringLiteral("Report"));
    Command8[0]->setAccessibleName(QStringLiteral("Close the report"));
    Label3->setAccessibleName(QStringLiteral("File shown in the report"));
    progress->setAccessibleName(QStringLiteral("Marking progress"));
    Label7[0]->setAccessibleName(QStringLiteral("Afrikaans memo file"));
    Label7[1]->setAccessibleName(QStringLiteral("English memo file"));
}

void frmMain::connectControls()
{
    connect(tvDir, &FolderTree::listFolderRequested, this, [this](const QString &folder) { listFolder(folder, false); });
    connect(lvDir, &FileList::listingStarted, this, [this] { tvDir->setEnabled(false); });
    connect(lvDir, &FileList::listingFinished, this, [this] { tvDir->setEnabled(true); });
    connect(lvDir, &FileList::folderOpenRequested, tvDir, &FolderTree::SetTreePath);
    connect(lvDir, &FileList::folderSizesRequested, this, [this] { listFolder(tvDir->listedFolder(), true); });
    connect(lvDir, &FileList::selectionDragFinished, this, &frmMain::lvDir_OLECompleteDrag);
    connect(lvDir, &FileList::appendSelectionRequested, this, [this] {
        List1_OLEDragDrop();
        lvDir_OLECompleteDrag();
    });
    connect(lvDir, &FileList::focusReceived, this, &frmMain::lvDir_GotFocus);
    connect(List1, &TestBox::fileListSelectionDropped, this, &frmMain::List1_OLEDragDrop);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Command8[0], &QPushButton::clicked, this, [this] { Command8_Click(0); });
    connect(Command8[1], &QPushButton::clicked, this, [this] { Command8_Click(1); });
}

void frmMain::Form_Load()
{
    tvDir->ListDrives();
    const QString start = m_options.startFolder.isEmpty() ? QDir::homePath() : m_options.startFolder;
    tvDir->SetTreePath(start);
    Label9->setText(m_options.programFolder + QLatin1Char('/') + Text1->text());
    loadMemos();
}

void frmMain::listFolder(const QString &folder, bool folderSizes)
{
    setWindowTitle(QStringLiteral("Tallimark - ") + QDir::toNativeSeparators(folder));
    const Failure failure = lvDir->ListFolder(folder, folderSizes);
    // Only the teacher's own request for sizes reports a failure; browsing stays silent.
    if (failure.failed() && folderSizes)
        m_dialogs.message(this, failure.description, QString(), Dialogs::Icon::Critical);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const int frame = frameGeometry().width() - width();
    if (frameGeometry().width() < minimumOuterWidth)
        resize(minimumOuterWidth - frame, height());
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    // A session in progress runs inside this event's caller; nothing it holds needs saving,
    // since every results line and marked copy is already on disk.
    if (m_sessionRunning)
        std::_Exit(EXIT_SUCCESS);
    QCoreApplication::quit();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::FocusIn)
        Text1_GotFocus();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Text1_GotFocus()
{
    // After the focus event a mouse press would place the caret; select once it has.
    QTimer::singleShot(0, Text1, &QLineEdit::selectAll);
}

void frmMain::lvDir_GotFocus()
{
    Label4->show();
    Picture1->show();
}

void frmMain::mnuExit_Click()
{
    close();
}

void frmMain::mnuAbout_Click()
{
    m_dialogs.message(this, aboutText(), aboutTitle());
}

void frmMain::mnuHelp_Click()
{
    m_dialogs.message(this, helpText(), helpTitle());
}

bool frmMain::resultAsInteger() const
{
    return mnuSettings->resultAsInteger();
}

} // namespace tallimark
