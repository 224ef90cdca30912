#include "windows/VfoSetDlg.h"

#include "windows/DialogParts.h"
#include "windows/OperatorPrompt.h"
#include "windows/ProgramIcon.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qx {

CVfoSetDlg::CVfoSetDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::VfoSet, ctx, parent)
{
    setWindowTitle(QStringLiteral("VFO SET"));
    setWindowIcon(programIcon());

    auto* prompt = new QLabel(operatorString(102));
    prompt->setAlignment(Qt::AlignCenter);
    field_ = digitField(kMaxDigits);
    field_->setAlignment(Qt::AlignRight);
    field_->setFont(displayFont(18));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel);
    layout->addWidget(prompt);
    layout->addWidget(field_);
    layout->addLayout(okCancelRow(this));
    setMinimumWidth(360);
    field_->setFocus();
}

void CVfoSetDlg::appendDigit(int digit)
{
    if (digit < 0 || digit > 9 || field_->text().size() >= kMaxDigits)
        return;
    field_->setText(field_->text() + QString::number(digit));
    field_->end(false);
}

void CVfoSetDlg::accept()
{
    const QString text = field_->text();
    finish(text.isEmpty() ? 0 : text.toULongLong());
}

} // namespace qx
