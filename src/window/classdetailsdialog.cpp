#include "classdetailsdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tallimark {

using namespace Qt::StringLiterals;

ClassDetailsDialog::ClassDetailsDialog(const QString &destFolder, const ClassDetails &details, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"classDetailsDialog"_s);
    setWindowTitle(tr("Class Details"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("Printed on the cover of the class pack of %1. Entered once, kept in the folder.")
                                 .arg(QDir::toNativeSeparators(destFolder)),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    // In the order of classDetailFields.
    const QStringList labels{tr("&School:"),  tr("&Teacher:"),   tr("&Grade and class:"),
                             tr("Su&bject:"), tr("Test &name:"), tr("Test &date:")};
    const QStringList names{u"school"_s, u"teacher"_s, u"gradeAndClass"_s, u"subject"_s, u"testName"_s, u"testDate"_s};
    auto *form = new QFormLayout;
    ClassDetails shown = details;
    const auto fields = classDetailFields(shown);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        auto *edit = new QLineEdit(*fields.at(i).second, this);
        edit->setObjectName(names.at(i));
        edit->setMaxLength(int(MaxClassDetailLength));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(u'M') * 24);
        form->addRow(labels.at(i), edit);
        m_edits.append(edit);
    }
    m_edits.last()->setPlaceholderText(tr("e.g. 2026-03-14"));
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ClassDetails ClassDetailsDialog::details() const
{
    ClassDetails details;
    const auto fields = classDetailFields(details);
    for (qsizetype i = 0; i < fields.size(); ++i)
        *fields.at(i).second = m_edits.at(i)->text().simplified();
    return details;
}

} // namespace tallimark
