#include "windows/CommandSendDlg.h"

#include "windows/DialogParts.h"
#include "windows/OperatorPrompt.h"
#include "windows/ProgramIcon.h"

#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QVBoxLayout>

namespace qx {
namespace {

// Upper case as typed; only printable ASCII reaches the radio's line.
class UpperCaseAscii final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        for (QChar c : input)
            if (c.unicode() < 0x20 || c.unicode() > 0x7E)
                return Invalid;
        return Acceptable;
    }
};

} // namespace

CCommandSendDlg::CCommandSendDlg(WindowContext& ctx, QWidget* parent) : AuxWindow(AuxKind::CommandSend, ctx, parent)
{
    setWindowTitle(QStringLiteral("Command Send"));
    setWindowIcon(programIcon());

    auto* prompt = new QLabel(operatorString(105));
    prompt->setAlignment(Qt::AlignCenter);
    field_ = new QLineEdit;
    field_->setMaxLength(kMaxLength);
    field_->setValidator(new UpperCaseAscii(field_));
    field_->setFont(displayFont(14));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(field_);
    layout->addLayout(okCancelRow(this));
    setMinimumWidth(360);
    field_->setFocus();
    field_->end(false);
}

void CCommandSendDlg::accept()
{
    const QByteArray text = field_->text().toLatin1();
    if (!text.isEmpty() && text.size() <= kMaxLength && ctx_.sendRaw)
        ctx_.sendRaw(text.toStdString());
    finish();
}

} // namespace qx
