#include "helpwindow.h"

#include "language/interfacelanguage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace tallimark {

using namespace Qt::StringLiterals;

namespace {

constexpr int AnchorRole = Qt::UserRole;

// The anchor a heading carries: <h2><a name="..."></a>...</h2>.
QString blockAnchor(const QTextBlock &block)
{
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QStringList names = fragment.fragment().charFormat().anchorNames();
        if (!names.isEmpty())
            return names.constFirst();
    }
    return {};
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_searchLabel(new QLabel(this)), m_search(new QLineEdit(this)),
      m_notFound(new QLabel(this)), m_contents(new QTreeWidget(this)), m_browser(new QTextBrowser(this))
{
    setObjectName(u"helpWindow"_s);
    m_search->setObjectName(u"helpSearch"_s);
    m_search->setClearButtonEnabled(true);
    m_searchLabel->setBuddy(m_search);
    m_notFound->setObjectName(u"helpNotFound"_s);
    m_notFound->setStyleSheet(u"color: #a00000"_s);
    m_notFound->hide();
    m_contents->setObjectName(u"helpContents"_s);
    m_contents->setHeaderHidden(true);
    m_browser->setObjectName(u"helpBrowser"_s);
    m_browser->setOpenExternalLinks(true);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(m_search, &QLineEdit::textChanged, m_notFound, &QWidget::hide);
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpWindow::contentsClicked);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpWindow::contentsClicked);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(m_searchLabel);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_notFound);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({280, 680});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(splitter, 1);

    retranslate();
    QSize wanted(960, 680);
    if (const QScreen *shown = screen())
        wanted = wanted.boundedTo(shown->availableSize() - QSize(16, 48));
    resize(wanted);
}

QUrl HelpWindow::guideUrl(const QString &languageCode)
{
    return QUrl(u"qrc:/guide/"_s + languageCode + u"/index.html"_s);
}

void HelpWindow::showSection(const QString &anchor)
{
    if (m_languageCode != languageCode(currentInterfaceLanguage()))
        loadGuide();
    const auto scroll = [this, anchor] {
        if (anchor.isEmpty())
            m_browser->verticalScrollBar()->setValue(0);
        else
            m_browser->scrollToAnchor(anchor);
    };
    scroll();
    // Once more after the window is shown and laid out, which moves the anchor.
    QTimer::singleShot(0, this, scroll);
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if ((*it)->data(0, AnchorRole).toString() == anchor)
            m_contents->setCurrentItem(*it);
    }
}

bool HelpWindow::findNext()
{
    const QString wanted = m_search->text();
    if (wanted.isEmpty())
        return false;
    bool found = m_browser->find(wanted);
    if (!found) {
        // Past the last one: from the beginning again.
        QTextCursor start = m_browser->textCursor();
        start.movePosition(QTextCursor::Start);
        m_browser->setTextCursor(start);
        found = m_browser->find(wanted);
    }
    m_notFound->setVisible(!found);
    return found;
}

void HelpWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        if (!m_languageCode.isEmpty())
            loadGuide();
    }
    QWidget::changeEvent(event);
}

void HelpWindow::retranslate()
{
    setWindowTitle(tr("Tallimark guide"));
    m_searchLabel->setText(tr("&Search:"));
    m_search->setPlaceholderText(tr("a word in the guide, then Enter"));
    m_notFound->setText(tr("Not in the guide"));
    m_contents->setAccessibleName(tr("Contents of the guide"));
    m_browser->setAccessibleName(tr("Guide"));
}

void HelpWindow::loadGuide()
{
    m_languageCode = languageCode(currentInterfaceLanguage());
    m_browser->setSource(guideUrl(m_languageCode));
    fillContents();
}

void HelpWindow::fillContents()
{
    // The contents are the guide's own headings, so they cannot fall out of step with it.
    m_contents->clear();
    QTreeWidgetItem *section = nullptr;
    for (QTextBlock block = m_browser->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2 || level > 3)
            continue;
        auto *item = level == 2 || !section ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(section);
        if (level == 2)
            section = item;
        item->setText(0, block.text().trimmed());
        item->setData(0, AnchorRole, blockAnchor(block));
    }
    m_contents->expandAll();
}

void HelpWindow::contentsClicked(QTreeWidgetItem *item)
{
    const QString anchor = item->data(0, AnchorRole).toString();
    if (!anchor.isEmpty())
        m_browser->scrollToAnchor(anchor);
}

} // namespace tallimark
