#include "mainwindow.h"

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

MainWindow::MainWindow(Dialogs &dialogs, StartOptions options, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_options(std::move(options))
{
    setObjectName(QStringLiteral("mainWindow"));
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

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(area);

    // Frames first: later siblings are drawn over them.
    m_browserFrame = new QFrame(area);
    m_browserFrame->setObjectName(QStringLiteral("browserFrame"));
    m_browserFrame->setFrameShape(QFrame::Box);
    m_browserFrame->setGeometry(twipsRect(105, 2265, 8820, 7980));
    m_markBand = new QFrame(area);
    m_markBand->setObjectName(QStringLiteral("markBand"));
    m_markBand->setAutoFillBackground(true);
    QPalette band = m_markBand->palette();
    band.setColor(QPalette::Window, greenBox);
    m_markBand->setPalette(band);
    m_markBand->setGeometry(twipsRect(9030, 1980, 4785, 330));

    m_memoCaptions[0] = label(area, QStringLiteral("afrikaansMemoCaption"), QStringLiteral("Afrikaans memo: (Oct 2013 preloaded)"),
                      twipsRect(120, 240, 3855, 255));
    m_memoFileLabels[0] = label(area, QStringLiteral("afrikaansMemoFile"), QStringLiteral("Bron.rtf"), twipsRect(4080, 240, 1080, 285));
    m_memoCaptions[1] = label(area, QStringLiteral("englishMemoCaption"), QStringLiteral("English memo file: (Oct 2013 preloaded)"),
                      twipsRect(120, 600, 3855, 255));
    m_memoFileLabels[1] = label(area, QStringLiteral("englishMemoFile"), QStringLiteral("Source.rtf"), twipsRect(4080, 600, 1095, 255));
    m_memoNameHint = label(area, QStringLiteral("memoNameHint"), QStringLiteral("(Any new memo must be saved as Bron.rtf or Source.rtf)"),
                    twipsRect(5520, 360, 5055, 255));
    m_destinationCaption = label(area, QStringLiteral("destinationCaption"), QStringLiteral("Destination folder (where results will be saved)"),
                   twipsRect(120, 1110, 2415, 495));
    m_destinationCaption->setWordWrap(true);
    m_destinationPath = label(area, QStringLiteral("destinationPath"), QString(), twipsRect(2880, 1200, 10935, 255));

    m_destinationEdit = new QLineEdit(QStringLiteral("New Folder"), area);
    m_destinationEdit->setObjectName(QStringLiteral("destinationEdit"));
    m_destinationEdit->setGeometry(twipsRect(11280, 1560, 2535, 285));
    m_destinationEdit->installEventFilter(this);

    m_foldersCaption = label(area, QStringLiteral("foldersCaption"), QStringLiteral("Search here for speed tests"),
                   twipsRect(720, 1995, 2175, 255));
    // The hint beside it starts well to the right; let the caption have the room it needs.
    m_foldersCaption->resize(std::max(m_foldersCaption->width(), m_foldersCaption->sizeHint().width()), m_foldersCaption->height());
    m_hintLabel = label(area, QStringLiteral("hintLabel"), QStringLiteral("Drag speed tests to green box"),
                   twipsRect(4680, 1995, 2295, 255));
    m_hintLabel->hide();
    m_dragArrow = label(area, QStringLiteral("dragArrow"), QString(), twipsRect(6960, 1995, 375, 255));
    // With a wider font than the layout was drawn for, the picture moves right to keep clear of the hint.
    if (m_hintLabel->sizeHint().width() > m_hintLabel->width()) {
        m_hintLabel->resize(m_hintLabel->sizeHint().width(), m_hintLabel->height());
        m_dragArrow->move(m_hintLabel->geometry().right() + 4, m_dragArrow->y());
    }
    m_dragArrow->setPixmap(arrowPicture(m_dragArrow->size()));
    m_dragArrow->hide();

    m_markButton = new QPushButton(QStringLiteral("Click here to mark speed tests below"), area);
    m_markButton->setObjectName(QStringLiteral("markButton"));
    QFont bold = m_markButton->font();
    bold.setBold(true);
    m_markButton->setFont(bold);
    m_markButton->setGeometry(twipsRect(9060, 1950, 3855, 330));
    m_clearTestsButton = new QPushButton(QStringLiteral("Clear"), area);
    m_clearTestsButton->setObjectName(QStringLiteral("clearTestsButton"));
    m_clearTestsButton->setGeometry(twipsRect(12960, 1950, 840, 330));

    m_folderTree = new FolderTree(m_icons, area);
    m_folderTree->setObjectName(QStringLiteral("folderTree"));
    m_folderTree->setGeometry(twipsRect(120, 2280, 3255, 7935));
    m_fileList = new FileList(m_icons, area);
    m_fileList->setObjectName(QStringLiteral("fileList"));
    m_fileList->setGeometry(twipsRect(3480, 2280, 5415, 7935));

    m_testBox = new TestBox(area);
    m_testBox->setObjectName(QStringLiteral("testBox"));
    m_testBox->setGeometry(twipsRect(9000, 2280, 4815, 7860));
    QPalette green = m_testBox->palette();
    green.setColor(QPalette::Base, greenBox);
    green.setColor(QPalette::Text, Qt::black);
    m_testBox->setPalette(green);

    m_shownFileLabel = label(area, QStringLiteral("shownFileLabel"), QString(), twipsRect(0, 1680, 8895, 255));

    m_reportBox = new ReportBox(area);
    m_reportBox->setObjectName(QStringLiteral("reportBox"));
    m_reportBox->setGeometry(twipsRect(0, 2280, 8925, 8295));
    m_reportBox->hide();
    m_closeReportButton = new QPushButton(QStringLiteral("Clear"), area);
    m_closeReportButton->setObjectName(QStringLiteral("closeReportButton"));
    m_closeReportButton->setGeometry(twipsRect(8040, 2280, 840, 300));
    m_closeReportButton->hide();

    // While a session runs the report box covers the tree and the list, so the row of their
    // captions is free for the progress of the session.
    m_progress = new QProgressBar(area);
    m_progress->setObjectName(QStringLiteral("sessionProgress"));
    m_progress->setGeometry(twipsRect(120, 1995, 8775, 255));
    m_progress->setFormat(QStringLiteral("%v of %m tests marked"));
    m_progress->hide();
}

void MainWindow::createMenus()
{
    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    auto add = [this](QMenu *menu, const QString &name, const QString &caption, auto handler) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_openMarkedAction = add(fileMenu, QStringLiteral("openMarkedAction"), QStringLiteral("Open Marked SpeedTest"), &MainWindow::openMarkedCopy);
    m_openResultsAction = add(fileMenu, QStringLiteral("openResultsAction"), QStringLiteral("Open Results"), &MainWindow::openResults);
    add(fileMenu, QStringLiteral("saveAsAction"), QStringLiteral("Save As..."), &MainWindow::saveAs);
    add(fileMenu, QStringLiteral("printAction"), QStringLiteral("Print"), &MainWindow::printReport);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("exitSeparator"));
    QAction *exit = add(fileMenu, QStringLiteral("exitAction"), QStringLiteral("E&xit"), &MainWindow::close);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    m_settingsMenu = new SettingsMenu(this);
    m_settingsMenu->setObjectName(QStringLiteral("settingsMenu"));
    menuBar()->addMenu(m_settingsMenu);

    QAction *about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    QAction *help = menuBar()->addAction(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("helpAction"));
    connect(help, &QAction::triggered, this, &MainWindow::showHelp);
}

void MainWindow::setTabOrderAndNames()
{
    // The teacher's way through the window: find the folder, pick the tests, check the green
    // box, name the destination, mark, then read and close the report.
    QWidget::setTabOrder(m_folderTree, m_fileList);
    QWidget::setTabOrder(m_fileList, m_testBox);
    QWidget::setTabOrder(m_testBox, m_clearTestsButton);
    QWidget::setTabOrder(m_clearTestsButton, m_destinationEdit);
    QWidget::setTabOrder(m_destinationEdit, m_markButton);
    QWidget::setTabOrder(m_markButton, m_reportBox);
    QWidget::setTabOrder(m_reportBox, m_closeReportButton);

    m_foldersCaption->setBuddy(m_folderTree);
    m_destinationCaption->setBuddy(m_destinationEdit);
    m_folderTree->setAccessibleName(QStringLiteral("Folders: search here for speed tests"));
    m_fileList->setAccessibleName(QStringLiteral("Speed tests in the folder"));
    m_fileList->setAccessibleDescription(QStringLiteral("Press Insert to add the selected tests to the green box"));
    m_testBox->setAccessibleName(QStringLiteral("Green box: speed tests to mark"));
    m_testBox->setAccessibleDescription(QStringLiteral("Press Delete to remove the selected test"));
    m_clearTestsButton->setAccessibleName(QStringLiteral("Clear the green box"));
    m_destinationEdit->setAccessibleName(QStringLiteral("Destination folder name"));
    m_destinationPath->setAccessibleName(QStringLiteral("Destination folder"));
    m_markButton->setAccessibleName(QStringLiteral("Mark the speed tests in the green box"));
    m_reportBox->setAccessibleName(QStringLiteral("Report"));
    m_closeReportButton->setAccessibleName(QStringLiteral("Close the report"));
    m_shownFileLabel->setAccessibleName(QStringLiteral("File shown in the report"));
    m_progress->setAccessibleName(QStringLiteral("Marking progress"));
    m_memoFileLabels[0]->setAccessibleName(QStringLiteral("Afrikaans memo file"));
    m_memoFileLabels[1]->setAccessibleName(QStringLiteral("English memo file"));
}

void MainWindow::connectControls()
{
    connect(m_folderTree, &FolderTree::listFolderRequested, this, [this](const QString &folder) { listFolder(folder, false); });
    connect(m_fileList, &FileList::listingStarted, this, [this] { m_folderTree->setEnabled(false); });
    connect(m_fileList, &FileList::listingFinished, this, [this] { m_folderTree->setEnabled(true); });
    connect(m_fileList, &FileList::folderOpenRequested, m_folderTree, &FolderTree::showFolder);
    connect(m_fileList, &FileList::folderSizesRequested, this, [this] { listFolder(m_folderTree->listedFolder(), true); });
    connect(m_fileList, &FileList::selectionDragFinished, this, &MainWindow::finishFileListDrag);
    connect(m_fileList, &FileList::appendSelectionRequested, this, [this] {
        addSelectedTests();
        finishFileListDrag();
    });
    connect(m_fileList, &FileList::focusReceived, this, &MainWindow::showDragHint);
    connect(m_testBox, &TestBox::fileListSelectionDropped, this, &MainWindow::addSelectedTests);
    connect(m_markButton, &QPushButton::clicked, this, &MainWindow::markTests);
    connect(m_closeReportButton, &QPushButton::clicked, this, &MainWindow::closeReport);
    connect(m_clearTestsButton, &QPushButton::clicked, m_testBox, &TestBox::clear);
}

void MainWindow::start()
{
    m_folderTree->listRoots();
    const QString start = m_options.startFolder.isEmpty() ? QDir::homePath() : m_options.startFolder;
    m_folderTree->showFolder(start);
    m_destinationPath->setText(m_options.programFolder + QLatin1Char('/') + m_destinationEdit->text());
    loadMemos();
}

void MainWindow::listFolder(const QString &folder, bool folderSizes)
{
    setWindowTitle(QStringLiteral("Tallimark - ") + QDir::toNativeSeparators(folder));
    const Failure failure = m_fileList->listFolder(folder, folderSizes);
    // Only the teacher's own request for sizes reports a failure; browsing stays silent.
    if (failure.failed() && folderSizes)
        m_dialogs.message(this, failure.description, QString(), Dialogs::Icon::Critical);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    const int frame = frameGeometry().width() - width();
    if (frameGeometry().width() < minimumOuterWidth)
        resize(minimumOuterWidth - frame, height());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    // A session in progress runs inside this event's caller; nothing it holds needs saving,
    // since every results line and marked copy is already on disk.
    if (m_sessionRunning)
        std::_Exit(EXIT_SUCCESS);
    QCoreApplication::quit();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_destinationEdit && event->type() == QEvent::FocusIn)
        selectDestinationName();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::selectDestinationName()
{
    // After the focus event a mouse press would place the caret; select once it has.
    QTimer::singleShot(0, m_destinationEdit, &QLineEdit::selectAll);
}

void MainWindow::showDragHint()
{
    m_hintLabel->show();
    m_dragArrow->show();
}

void MainWindow::showAbout()
{
    m_dialogs.message(this, aboutText(), aboutTitle());
}

void MainWindow::showHelp()
{
    m_dialogs.message(this, helpText(), helpTitle());
}

bool MainWindow::resultAsInteger() const
{
    return m_settingsMenu->resultAsInteger();
}

} // namespace tallimark
