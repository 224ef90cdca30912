#include "windows/DialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace qx {

QLineEdit* digitField(int maxDigits)
{
    auto* f = new QLineEdit;
    f->setMaxLength(maxDigits);
    f->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), f));
    return f;
}

QHBoxLayout* okCancelRow(QDialog* dialog, QPushButton** ok, QPushButton** cancel)
{
    auto* row = new QHBoxLayout;
    auto* okButton = new QPushButton(QStringLiteral("OK"));
    auto* cancelButton = new QPushButton(QStringLiteral("CANCEL"));
    okButton->setDefault(true);
    okButton->setObjectName(QStringLiteral("ok"));
    cancelButton->setObjectName(QStringLiteral("cancel"));
    cancelButton->setAutoDefault(false);
    row->addStretch(1);
    row->addWidget(okButton);
    row->addStretch(1);
    row->addWidget(cancelButton);
    row->addStretch(1);
    QObject::connect(okButton, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancelButton, &QPushButton::clicked, dialog, &QDialog::reject);
    if (ok)
        *ok = okButton;
    if (cancel)
        *cancel = cancelButton;
    return row;
}

QFont displayFont(int pixelSize)
{
    QFont f(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(pixelSize);
    return f;
}

} // namespace qx
