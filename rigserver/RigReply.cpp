#include "rigserver/RigReply.h"

namespace qx::rig {

bool answersWithValues(Op op)
{
    switch (op) {
    case Op::GetFreq:
    case Op::GetMode:
    case Op::GetVfo:
    case Op::GetSplitVfo:
    case Op::GetSplitFreq:
    case Op::GetSplitMode:
    case Op::GetPtt:
    case Op::GetRit:
    case Op::GetLevel:
    case Op::GetFunc:
    case Op::GetVfoInfo:
    case Op::GetPowerstat:
    case Op::GetInfo:
    case Op::GetCtcssTone:
    case Op::GetMem:
    case Op::GetRigInfo:
    case Op::DumpState: return true;
    default: return false;
    }
}

Reply::Reply(const ParsedCommand& c) : c_(c)
{
    if (!c.extended || !c.entry || c.entry->op == Op::ChkVfo)
        return;
    out_ += c.entry->name;
    out_ += ':';
    if (!c.vfo.empty())
        out_ += ' ' + c.vfo;
    for (const std::string& a : c.args)
        out_ += ' ' + a;
    out_ += c.separator;
}

void Reply::value(std::string_view label, std::string_view text)
{
    if (c_.extended && !label.empty()) {
        out_ += label;
        out_ += ": ";
    }
    out_ += text;
    out_ += c_.extended ? c_.separator : '\n';
}

void Reply::value(std::string_view label, long long number) { value(label, std::to_string(number)); }

void Reply::block(std::string_view text) { out_ += text; }

std::string Reply::finish(Status status)
{
    const bool chkVfo = c_.entry && c_.entry->op == Op::ChkVfo;
    if (status != kOk)
        out_ += "RPRT " + std::to_string(status) + "\n";
    else if (c_.extended && !chkVfo)
        out_ += "RPRT 0\n";
    else if (!c_.extended && !chkVfo && !answersWithValues(c_.entry->op))
        out_ += "RPRT 0\n";
    else if (c_.extended && c_.separator != '\n')
        out_ += '\n';
    return std::move(out_);
}

} // namespace qx::rig
