#include "mainwindow.h"

#include "backgroundmarking.h"
#include "dialogs.h"
#include "elidedlabel.h"
#include "filelist.h"
#include "foldertree.h"
#include "marking/programfolder.h"
#include "reportbox.h"
#include "settings/settingsmenu.h"
#include "settings/smallcommands.h"
#include "testbox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tallimark {

namespace {

const QColor greenBox(192, 255, 192);

// The client area the teacher knows, and how it is shared between the browser on the left
// and the test box on the right.
constexpr QSize defaultClientSize(929, 709);
constexpr int defaultBrowserWidth = 588;
constexpr int defaultMarkingWidth = 319;

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// An arrow pointing right, towards the test box.
QPixmap arrowPicture(const QSize &size, qreal pixelRatio)
{
    QPixmap picture(size * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
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
    if (m_options.programFolder.isEmpty())
        m_options.programFolder = programFolder();

    m_marking = new BackgroundMarking(*this, this);
    connect(m_marking, &BackgroundMarking::finished, this, &MainWindow::backgroundSessionFinished);
    m_sessionDisplayTimer = new QTimer(this);
    m_sessionDisplayTimer->setSingleShot(true);
    connect(m_sessionDisplayTimer, &QTimer::timeout, this, &MainWindow::showSessionState);
    createControls();
    createMenus();
    createHelpShortcut();
    setTabOrderAndNames();
    connectControls();

    // The size the teacher knows, on a screen that has room for it; a smaller screen gets what
    // it has, less the window manager's title bar.
    const QSize wanted(defaultClientSize.width(), defaultClientSize.height() + menuBar()->sizeHint().height());
    const QSize available = screen() ? screen()->availableSize() - QSize(8, 40) : wanted;
    resize(wanted.boundedTo(available).expandedTo(minimumSizeHint()));
}

MainWindow::~MainWindow()
{
    // The session stops before the controls it reports to go.
    delete m_marking;
}

void MainWindow::createControls()
{
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(area);

    m_splitter = new QSplitter(Qt::Horizontal, area);
    m_splitter->setObjectName(QStringLiteral("browserSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(createBrowserSide());
    m_splitter->addWidget(createMarkingSide());
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({defaultBrowserWidth, defaultMarkingWidth});

    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    layout->addWidget(createHeader());
    layout->addWidget(m_splitter, 1);
}

QWidget *MainWindow::createHeader()
{
    auto *header = new QWidget;
    header->setObjectName(QStringLiteral("header"));
    m_memoCaptions[0] =
        label(header, QStringLiteral("afrikaansMemoCaption"), tr("Afrikaans memo: (Oct 2013 preloaded)"));
    m_memoFileLabels[0] = label(header, QStringLiteral("afrikaansMemoFile"), QStringLiteral("Bron.rtf"));
    m_memoCaptions[1] =
        label(header, QStringLiteral("englishMemoCaption"), tr("English memo file: (Oct 2013 preloaded)"));
    m_memoFileLabels[1] = label(header, QStringLiteral("englishMemoFile"), QStringLiteral("Source.rtf"));
    m_memoNameHint =
        label(header, QStringLiteral("memoNameHint"), tr("(Any new memo must be saved as Bron.rtf or Source.rtf)"));
    m_memoNameHint->setWordWrap(true);
    m_destinationCaption =
        label(header, QStringLiteral("destinationCaption"), tr("Destination folder (where results will be saved)"));
    m_destinationCaption->setWordWrap(true);
    m_destinationPath = new ElidedLabel(header);
    m_destinationPath->setObjectName(QStringLiteral("destinationPath"));

    m_destinationEdit = new QLineEdit(QStringLiteral("New Folder"), header);
    m_destinationEdit->setObjectName(QStringLiteral("destinationEdit"));
    m_destinationEdit->setMinimumWidth(m_destinationEdit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 14);
    m_destinationEdit->installEventFilter(this);

    m_shownFileLabel = new ElidedLabel(header);
    m_shownFileLabel->setObjectName(QStringLiteral("shownFileLabel"));

    // Memo captions and their files on the left, the hint about memo names beside them; the
    // destination's caption with its path and, below the path's end, the name box.
    auto *grid = new QGridLayout(header);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(3);
    grid->addWidget(m_memoCaptions[0], 0, 0);
    grid->addWidget(m_memoFileLabels[0], 0, 1);
    grid->addWidget(m_memoCaptions[1], 1, 0);
    grid->addWidget(m_memoFileLabels[1], 1, 1);
    grid->addWidget(m_memoNameHint, 0, 2, 2, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(m_destinationCaption, 2, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(m_destinationPath, 2, 1, 1, 3);
    grid->addWidget(m_destinationEdit, 3, 3);
    grid->addWidget(m_shownFileLabel, 4, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setRowMinimumHeight(4, m_shownFileLabel->minimumSizeHint().height());
    return header;
}

QWidget *MainWindow::createBrowserSide()
{
    auto *side = new QWidget;
    side->setObjectName(QStringLiteral("browserSide"));

    // Above tree and list their captions; above the report box its progress and buttons.
    m_captionRow = new QStackedWidget(side);
    m_captionRow->setObjectName(QStringLiteral("captionRow"));
    auto *captions = new QWidget;
    m_foldersCaption = label(captions, QStringLiteral("foldersCaption"), tr("Search here for speed tests"));
    m_hintLabel = new ElidedLabel(captions);
    m_hintLabel->setObjectName(QStringLiteral("hintLabel"));
    m_hintLabel->setText(tr("Drag speed tests to green box"));
    // The caption itself is never shortened; only a saved file's path is.
    m_hintLabel->setMinimumWidth(m_hintLabel->fontMetrics().horizontalAdvance(m_hintLabel->text()) + 2);
    m_hintLabel->hide();
    m_hintCaptionTimer = new QTimer(this);
    m_hintCaptionTimer->setSingleShot(true);
    m_hintCaptionTimer->setInterval(savedPathShownMs);
    connect(m_hintCaptionTimer, &QTimer::timeout, this,
            [this] { m_hintLabel->setText(tr("Drag speed tests to green box")); });
    m_dragArrow = label(captions, QStringLiteral("dragArrow"), QString());
    const int arrowHeight = m_foldersCaption->sizeHint().height();
    m_dragArrow->setFixedSize(arrowHeight * 3 / 2, arrowHeight);
    m_dragArrow->setPixmap(arrowPicture(m_dragArrow->size(), devicePixelRatioF()));
    m_dragArrow->hide();
    auto *captionsLayout = new QHBoxLayout(captions);
    captionsLayout->setContentsMargins(0, 0, 0, 0);
    captionsLayout->addSpacing(m_foldersCaption->fontMetrics().averageCharWidth() * 4);
    captionsLayout->addWidget(m_foldersCaption);
    captionsLayout->addSpacing(m_foldersCaption->fontMetrics().averageCharWidth() * 4);
    captionsLayout->addWidget(m_hintLabel, 1);
    captionsLayout->addWidget(m_dragArrow);

    auto *reportControls = new QWidget;
    m_progress = new QProgressBar(reportControls);
    m_progress->setObjectName(QStringLiteral("sessionProgress"));
    m_progress->setFormat(tr("%v of %m tests marked"));
    m_progress->hide();
    m_cancelButton = new QPushButton(tr("Cancel"), reportControls);
    m_cancelButton->setObjectName(QStringLiteral("cancelMarkingButton"));
    m_cancelButton->hide();
    m_closeReportButton = new QPushButton(tr("Clear"), reportControls);
    m_closeReportButton->setObjectName(QStringLiteral("closeReportButton"));
    m_closeReportButton->hide();
    auto *reportLayout = new QHBoxLayout(reportControls);
    reportLayout->setContentsMargins(0, 0, 0, 0);
    reportLayout->addWidget(m_progress, 1);
    reportLayout->addWidget(m_cancelButton);
    reportLayout->addStretch();
    reportLayout->addWidget(m_closeReportButton);
    m_captionRow->addWidget(captions);
    m_captionRow->addWidget(reportControls);
    // Whichever page shows, the row keeps its height, so tree and report box start level.
    m_captionRow->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_browserStack = new QStackedWidget(side);
    m_browserStack->setObjectName(QStringLiteral("browserStack"));
    m_browserFrame = new QFrame;
    m_browserFrame->setObjectName(QStringLiteral("browserFrame"));
    m_browserFrame->setFrameShape(QFrame::Box);
    m_folderTree = new FolderTree(m_icons, m_browserFrame);
    m_folderTree->setObjectName(QStringLiteral("folderTree"));
    m_fileList = new FileList(m_icons, m_browserFrame);
    m_fileList->setObjectName(QStringLiteral("fileList"));
    auto *treeAndList = new QSplitter(Qt::Horizontal, m_browserFrame);
    treeAndList->setObjectName(QStringLiteral("treeAndListSplitter"));
    treeAndList->setChildrenCollapsible(false);
    treeAndList->addWidget(m_folderTree);
    treeAndList->addWidget(m_fileList);
    treeAndList->setStretchFactor(0, 3);
    treeAndList->setStretchFactor(1, 5);
    treeAndList->setSizes({217, 361});
    auto *frameLayout = new QHBoxLayout(m_browserFrame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(treeAndList);

    m_reportBox = new ReportBox;
    m_reportBox->setObjectName(QStringLiteral("reportBox"));
    m_browserStack->addWidget(m_browserFrame);
    m_browserStack->addWidget(m_reportBox);

    auto *layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_captionRow);
    layout->addWidget(m_browserStack, 1);
    return side;
}

QWidget *MainWindow::createMarkingSide()
{
    auto *side = new QWidget;
    side->setObjectName(QStringLiteral("markingSide"));

    // The light-green band behind the mark button and the box's Clear.
    m_markBand = new QFrame(side);
    m_markBand->setObjectName(QStringLiteral("markBand"));
    m_markBand->setAutoFillBackground(true);
    QPalette band = m_markBand->palette();
    band.setColor(QPalette::Window, greenBox);
    m_markBand->setPalette(band);
    m_markButton = new QPushButton(tr("Click here to mark speed tests below"), m_markBand);
    m_markButton->setObjectName(QStringLiteral("markButton"));
    QFont bold = m_markButton->font();
    bold.setBold(true);
    m_markButton->setFont(bold);
    m_clearTestsButton = new QPushButton(tr("Clear"), m_markBand);
    m_clearTestsButton->setObjectName(QStringLiteral("clearTestsButton"));
    auto *bandLayout = new QHBoxLayout(m_markBand);
    bandLayout->setContentsMargins(2, 0, 0, 0);
    bandLayout->setSpacing(4);
    bandLayout->addWidget(m_markButton, 1);
    bandLayout->addWidget(m_clearTestsButton);

    m_testBox = new TestBox(side);
    m_testBox->setObjectName(QStringLiteral("testBox"));
    QPalette green = m_testBox->palette();
    green.setColor(QPalette::Base, greenBox);
    green.setColor(QPalette::Text, Qt::black);
    m_testBox->setPalette(green);

    auto *layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_markBand);
    layout->addWidget(m_testBox, 1);
    return side;
}

void MainWindow::createMenus()
{
    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    auto add = [this](QMenu *menu, const QString &name, const QString &caption, auto handler) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_openMarkedAction =
        add(fileMenu, QStringLiteral("openMarkedAction"), tr("Open Marked SpeedTest"), &MainWindow::openMarkedCopy);
    m_openResultsAction =
        add(fileMenu, QStringLiteral("openResultsAction"), tr("Open Results"), &MainWindow::openResults);
    add(fileMenu, QStringLiteral("classResultsAction"), tr("Class Results..."), &MainWindow::openClassResults);
    add(fileMenu, QStringLiteral("classDetailsAction"), tr("Class Details..."), &MainWindow::editClassDetails);
    add(fileMenu, QStringLiteral("saveAsAction"), tr("Save As..."), &MainWindow::saveAs);
    add(fileMenu, QStringLiteral("printAction"), tr("Print"), &MainWindow::printReport);
    fileMenu->addSeparator()->setObjectName(QStringLiteral("exitSeparator"));
    QAction *exit = add(fileMenu, QStringLiteral("exitAction"), tr("E&xit"), &MainWindow::close);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    m_settingsMenu = new SettingsMenu(this);
    m_settingsMenu->setObjectName(QStringLiteral("settingsMenu"));
    menuBar()->addMenu(m_settingsMenu);
    // A session running in the background reads the setting as each result is computed.
    for (QAction *setting : m_settingsMenu->roundingActions())
        connect(setting, &QAction::triggered, this, [this] { m_marking->setRounding(rounding()); });

    QAction *about = menuBar()->addAction(tr("About"));
    about->setObjectName(QStringLiteral("aboutAction"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    QAction *help = menuBar()->addAction(tr("Help"));
    help->setObjectName(QStringLiteral("helpAction"));
    connect(help, &QAction::triggered, this, [this] { showHelp(); });
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
    QWidget::setTabOrder(m_reportBox, m_cancelButton);
    QWidget::setTabOrder(m_cancelButton, m_closeReportButton);

    m_foldersCaption->setBuddy(m_folderTree);
    m_destinationCaption->setBuddy(m_destinationEdit);
    m_folderTree->setAccessibleName(tr("Folders: search here for speed tests"));
    m_fileList->setAccessibleName(tr("Speed tests in the folder"));
    m_fileList->setAccessibleDescription(tr("Press Insert to add the selected tests to the green box"));
    m_testBox->setAccessibleName(tr("Green box: speed tests to mark"));
    m_testBox->setAccessibleDescription(tr("Press Delete to remove the selected test"));
    m_clearTestsButton->setAccessibleName(tr("Clear the green box"));
    m_destinationEdit->setAccessibleName(tr("Destination folder name"));
    m_destinationPath->setAccessibleName(tr("Destination folder"));
    m_markButton->setAccessibleName(tr("Mark the speed tests in the green box"));
    m_reportBox->setAccessibleName(tr("Report"));
    m_closeReportButton->setAccessibleName(tr("Close the report"));
    m_shownFileLabel->setAccessibleName(tr("File shown in the report"));
    m_progress->setAccessibleName(tr("Marking progress"));
    m_cancelButton->setAccessibleName(tr("Stop marking after the test being marked"));
    m_memoFileLabels[0]->setAccessibleName(tr("Afrikaans memo file"));
    m_memoFileLabels[1]->setAccessibleName(tr("English memo file"));
}

void MainWindow::connectControls()
{
    connect(m_folderTree, &FolderTree::listFolderRequested, this,
            [this](const QString &folder) { listFolder(folder, false); });
    // Disabling the tree hands its focus on; a teacher moving through it by keys gets it back.
    connect(m_fileList, &FileList::listingStarted, this, [this] {
        m_treeHadFocus = m_folderTree->hasFocus();
        m_folderTree->setEnabled(false);
    });
    connect(m_fileList, &FileList::listingFinished, this, [this] {
        m_folderTree->setEnabled(true);
        if (m_treeHadFocus)
            m_folderTree->setFocus();
    });
    connect(m_fileList, &FileList::folderOpenRequested, m_folderTree, &FolderTree::showFolder);
    connect(m_fileList, &FileList::folderSizesRequested, this,
            [this] { listFolder(m_folderTree->listedFolder(), true); });
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
    connect(m_cancelButton, &QPushButton::clicked, this, &MainWindow::stopMarking);
    connect(m_destinationEdit, &QLineEdit::textEdited, this, &MainWindow::destinationTyped);
}

void MainWindow::start()
{
    m_folderTree->listRoots();
    const QString start = m_options.startFolder.isEmpty() ? QDir::homePath() : m_options.startFolder;
    m_folderTree->showFolder(start);
    m_destinationPath->setText(
        QDir::toNativeSeparators(m_options.programFolder + QLatin1Char('/') + m_destinationEdit->text()));
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

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_sessionRunning) {
        // Closing waits for the test being marked, so that nothing is left half written.
        event->ignore();
        if (!m_closeWhenStopped && m_dialogs.question(this, tr("Stop marking and close?"), QString())) {
            m_closeWhenStopped = true;
            stopMarking();
        }
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_destinationEdit && event->type() == QEvent::FocusIn)
        selectDestinationName();
    if (event->type() == QEvent::ShortcutOverride && watched == m_destinationEdit)
        return cutsInsteadOfExit(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::cutsInsteadOfExit(QObject *watched, QEvent *event) const
{
    // Ctrl+X is Exit's shortcut, except where there is selected text to cut. Any other key the
    // text box may claim for itself as usual.
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->keyCombination() != QKeyCombination(Qt::ControlModifier, Qt::Key_X))
        return false;
    const auto *edit = qobject_cast<const QLineEdit *>(watched);
    if (edit && edit->hasSelectedText() && !edit->isReadOnly())
        key->accept();
    else
        key->ignore();
    return true;
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

void MainWindow::showSavedPath(const QString &path)
{
    // The path confirms where the save went; after a while the hint is needed again.
    m_hintLabel->setText(QDir::toNativeSeparators(path));
    m_hintCaptionTimer->start();
}

void MainWindow::destinationTyped(const QString &name)
{
    m_destinationTyped = true;
    m_destinationPath->setText(QDir::toNativeSeparators(m_options.programFolder + QLatin1Char('/') + name));
}

void MainWindow::showAbout()
{
    m_dialogs.message(this, aboutText(), aboutTitle());
}

Rounding MainWindow::rounding() const
{
    return m_settingsMenu->rounding();
}

} // namespace tallimark
