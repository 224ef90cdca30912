// The message boxes a dialog shows the operator, behind a small interface
// so that tests can answer them without a modal loop.
#pragma once
#include <QString>

class QWidget;

namespace qx {

class OperatorPrompt {
public:
    virtual ~OperatorPrompt() = default;
    // An OK-only box.
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // An OK/Cancel box; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
};

// Real message boxes titled with the program's name.
OperatorPrompt& messageBoxPrompt();

// The operator text of the string table, as a QString.
QString operatorString(int stringId);

} // namespace qx
