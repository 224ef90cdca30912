// What the decoder table is made of: a rule row per answer (where its field
// is, which entries it fills, what it copies into the command state) and
// the decoder functions that read those rules. Only the decoder sources
// include this.
#pragma once
#include "cat/AnswerDecoders.h"
#include "cat/AnswerDecodersFields.h"
#include "cat/CatTables.h"

#include <cstdint>

namespace qx::decoders {

using RInt = RadioState::Int;
using CInt = CommandState::Int;

// How a stored value reaches the command state: not at all, as it is, or as
// a 0/1 flag.
struct Copy {
    enum Mode : std::uint8_t { None, Value, Flag };
    Mode mode = None;
    CInt to = CInt::FA;
};

constexpr Copy copyValue(CInt to) { return {Copy::Value, to}; }
constexpr Copy copyFlag(CInt to) { return {Copy::Flag, to}; }

struct FieldRule {
    int pos = 2;          // first character of the value
    int digits = 1;       // decimal digits of the value
    RInt target0 = RInt::ID; // the entry, or the one of selector 0
    RInt target1 = RInt::ID; // the entry of selector 1
    Copy copy0{};
    Copy copy1{};
    bool alwaysTrue = false; // a malformed value is still reported as handled
};

using Decoder = bool (*)(const AnswerFields&, const FieldRule&, DecoderContext&);

struct DecoderRow {
    AnswerRow row;
    Decoder decode; // null: recognised and ignored
    FieldRule rule;
    // The answer may be shorter than its row: it is framed at its ";" and
    // the decoder itself decides what a short one means.
    bool ownsLength = false;
};

// Stores value into entry and copies what the entry then holds.
void storeAndCopy(DecoderContext& ctx, RInt entry, int value, Copy copy);

// Shapes shared by many rows.
bool decodeNumber(const AnswerFields&, const FieldRule&, DecoderContext&);   // n digits at pos
bool decodeSelected(const AnswerFields&, const FieldRule&, DecoderContext&); // selector 0/1 at 2, n digits at pos
bool decodeNothing(const AnswerFields&, const FieldRule&, DecoderContext&);  // always true

// Rows with their own logic.
bool decodeId(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeAi(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodePs(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeIfStatus(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeOiStatus(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeBp(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeCo(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeMl(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeVs(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeMd(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeIs(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeBy(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeRm(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeRi(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeBg(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeDa(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeVr(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeKm(const AnswerFields&, const FieldRule&, DecoderContext&);
bool decodeMr(const AnswerFields&, const FieldRule&, DecoderContext&);

// Posting helpers.
void postRequest(DecoderContext& ctx, std::uint32_t id);
void postNotification(DecoderContext& ctx, std::uint32_t id);

} // namespace qx::decoders
