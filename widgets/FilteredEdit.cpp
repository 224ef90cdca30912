#include "widgets/FilteredEdit.h"

#include "widgets/EditFilter.h"

#include <QKeyEvent>

namespace qx {

FilteredEdit::FilteredEdit(QWidget* parent) : QLineEdit(parent)
{
    // Pastes and drops arrive as edits, not key presses.
    connect(this, &QLineEdit::textEdited, this, [this] { dropRefused(); });
}

QString FilteredEdit::filtered(const QString& text)
{
    QString out;
    out.reserve(text.size());
    // Backspace is taken as a key (it edits); as a character inside pasted
    // text it is a control code like any other.
    for (const char32_t c : text.toUcs4())
        if (c >= U' ' && editAccepts(c))
            out.append(QString::fromUcs4(&c, 1));
    return out;
}

void FilteredEdit::keyPressEvent(QKeyEvent* e)
{
    const QString text = e->text();
    // Keys without a printable text (arrows, Delete, Return, shortcuts) edit
    // or leave the field; they do not type.
    const bool typed = !text.isEmpty() && text.front().isPrint() && !(e->modifiers() & Qt::ControlModifier);
    if (typed && filtered(text) != text) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void FilteredEdit::dropRefused()
{
    const QString current = text();
    const QString kept = filtered(current);
    if (kept == current)
        return;
    const auto cursor = filtered(current.left(cursorPosition())).size();
    setText(kept);
    setCursorPosition(static_cast<int>(cursor));
}

} // namespace qx
