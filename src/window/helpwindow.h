// The user guide in a window of its own: the contents on the left, the guide on the right and a
// search box above it. The guide is HTML compiled into the program, one per interface language.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace tallimark {

class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the guide in the interface's language at a section (empty: its beginning).
    void showSection(const QString &anchor);
    QTextBrowser *browser() const { return m_browser; }
    QTreeWidget *contents() const { return m_contents; }
    QLineEdit *searchBox() const { return m_search; }
    // The guide's address for the language ("qrc:/guide/af/index.html").
    static QUrl guideUrl(const QString &languageCode);

    // Selects the next place the search text occurs, from the start again after the last one.
    // False when the guide does not contain it.
    bool findNext();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void loadGuide();
    void fillContents();
    void contentsClicked(QTreeWidgetItem *item);

    QString m_languageCode;
    QLabel *m_searchLabel;
    QLineEdit *m_search;
    QLabel *m_notFound;
    QTreeWidget *m_contents;
    QTextBrowser *m_browser;
};

} // namespace tallimark
