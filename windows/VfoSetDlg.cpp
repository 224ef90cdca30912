#include "windows/VfoSetDlg.h"

#include "state/TypedFrequency.h"
#include "windows/DialogParts.h"
#include "windows/OperatorPrompt.h"
#include "windows/ProgramIcon.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace qx {
namespace {

QString qtext(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

CVfoSetDlg::CVfoSetDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::VfoSet, ctx, parent)
{
    setWindowTitle(QStringLiteral("VFO SET"));
    setWindowIcon(programIcon());

    reading_ = new QLabel;
    reading_->setObjectName(QStringLiteral("reading"));
    reading_->setAlignment(Qt::AlignCenter);
    reading_->setWordWrap(true);
    auto* prompt = new QLabel(operatorString(102));
    prompt->setAlignment(Qt::AlignCenter);
    auto* rule = new QLabel(qtext(kTypedFrequencyRule));
    rule->setObjectName(QStringLiteral("rule"));
    rule->setAlignment(Qt::AlignCenter);
    rule->setWordWrap(true);
    field_ = new QLineEdit;
    field_->setMaxLength(kMaxLength);
    // What the rule can read: digits, one point or comma, a unit.
    field_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 .,kKmMhHzZ]*")), field_));
    field_->setAlignment(Qt::AlignRight);
    field_->setFont(displayFont(18));
    connect(field_, &QLineEdit::textChanged, this, &CVfoSetDlg::showReading);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(rule);
    layout->addWidget(field_);
    layout->addWidget(reading_);
    layout->addLayout(okCancelRow(this));
    setMinimumWidth(420);
    field_->setFocus();
}

void CVfoSetDlg::appendDigit(int digit)
{
    if (digit < 0 || digit > 9 || field_->text().size() >= kMaxDigits)
        return;
    field_->setText(field_->text() + QString::number(digit));
    field_->end(false);
}

void CVfoSetDlg::showReading()
{
    // While typing, only a frequency that reads is shown; the reason for a
    // refusal waits for OK, as a half-typed number is no mistake yet.
    const TypedFrequency f = readTypedFrequency(field_->text().toStdString());
    reading_->setStyleSheet(QString());
    reading_->setText(f.hz ? QStringLiteral("= %1").arg(qtext(describeHz(*f.hz))) : QString());
}

void CVfoSetDlg::accept()
{
    const TypedFrequency f = readTypedFrequency(field_->text().toStdString());
    if (f.empty()) {
        finish(0);
        return;
    }
    if (!f.hz) {
        reading_->setStyleSheet(QStringLiteral("color: #b00000"));
        reading_->setText(qtext(f.refusal));
        return;
    }
    finish(static_cast<std::uint64_t>(*f.hz));
}

} // namespace qx
