#include "qtdialogs.h"

#include "classdetailsdialog.h"
#include "dialogfilter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace tallimark {

namespace {

// Messages end their lines with a bare CR, which a Qt label would not break on.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

void QtDialogs::message(QWidget *parent, const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title.isEmpty() ? QApplication::applicationName() : title, displayText(text), QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::question(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? QApplication::applicationName() : title, displayText(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::inputBox(QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? answer : QString();
}

QString QtDialogs::openFileName(QWidget *parent, const QString &filter, const QString &startFolder)
{
    return QFileDialog::getOpenFileName(parent, QString(), startFolder, qtFileFilter(filter));
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &filter, const QString &initialName,
                                QString &chosenPattern)
{
    QFileDialog dialog(parent, QString(), initialName, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the chosen type's extension itself, so that its question about replacing
    // a file names the file that will really be written.
    const auto followFilter = [&dialog](const QString &chosen) {
        dialog.setDefaultSuffix(patternExtension(qtFilterPattern(chosen)));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    followFilter(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    chosenPattern = qtFilterPattern(dialog.selectedNameFilter());
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::folderName(QWidget *parent, const QString &title, const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

bool QtDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::classDetails(QWidget *parent, const QString &destFolder, ClassDetails &details)
{
    ClassDetailsDialog dialog(destFolder, details, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    details = dialog.details();
    return true;
}

} // namespace tallimark
