#include "windows/CommandSendDlg.h"

#include "cat/RawCommandText.h"
#include "serial/TextQueue.h"

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
    refusal_ = new QLabel;
    refusal_->setObjectName(QStringLiteral("refusal"));
    refusal_->setStyleSheet(QStringLiteral("color: #b00000"));
    refusal_->setWordWrap(true);
    refusal_->hide();
    field_ = new QLineEdit;
    field_->setMaxLength(kMaxLength);
    field_->setValidator(new UpperCaseAscii(field_));
    field_->setFont(displayFont(14));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(field_);
    layout->addWidget(refusal_);
    layout->addLayout(okCancelRow(this));
    setMinimumWidth(360);
    field_->setFocus();
    field_->end(false);
}

void CCommandSendDlg::accept()
{
    const QByteArray typed = field_->text().toLatin1();
    if (typed.trimmed().isEmpty()) {
        finish();
        return;
    }
    // The closing ";" is added when it was left off, so the text never
    // glues onto the next command on the line.
    const RawCommandText raw = rawCommandText(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())),
                                              TextQueue::kMaxText);
    if (!raw.ok()) {
        refusal_->setText(QString::fromStdString(raw.refusal));
        refusal_->show();
        return;
    }
    if (ctx_.sendRaw)
        ctx_.sendRaw(raw.text);
    finish();
}

} // namespace qx
