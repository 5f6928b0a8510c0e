// The layout of a collected record, as one table: which pieces a form's record
// holds, in order (date and time stamps, the data lines with their prefixes,
// suffixes and fixed lengths), and the delimiter between them. The simulator
// builds records by walking it and `tgen records` reads records back into
// columns by walking it the other way, so the two can never disagree.
//
//     RecordLayout layout = record_layout(tpl.forms[1], tpl.field_delimiter);
//     for (const RecordPiece& piece : layout.pieces) ...
#pragma once

#include "model/template.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kolibra {

enum class PieceKind { DateStamp, TimeStamp, Field };

// One element of a stamp's text: a number of fixed width, or a literal '/' or ':'.
enum class StampPart : uint8_t { Year, Month, Day, Hour, Minute, Second, Slash, Colon };

struct RecordPiece {
    PieceKind kind = PieceKind::Field;
    // Stamps: the elements of the text, in order.
    std::vector<StampPart> stamp;
    // Fields: the form line (0-based) and how its data is laid out.
    int line = 0;
    uint8_t data_type = 0;
    std::string prefix;         // converted: a code list as its characters
    std::string suffix;
    // "Fixed data" lines without extension lines: the prompt, which is the
    // data. (Data typed on extension lines below makes it a field like text.)
    std::string fixed_text;
    bool fixed_length_on = false;
    int fixed_length = 0;
    uint8_t alignment = 0;      // 0 data+spaces, 1 spaces+data, 2 data+'0's, 3 '0's+data
    int min_length = 0;
    int max_length = 0;         // of the line itself; extension lines add theirs
    int extension_lines = 0;    // 0..3 extension lines below, joined to the data
    // The column name: the prompt without trailing spaces and colon, "Date",
    // "Time", or "Line N" for a line without a prompt.
    std::string name;
};

struct RecordLayout {
    std::string delimiter;            // 0, 1 or 2 characters
    std::vector<RecordPiece> pieces;  // in record order
};

// Whether line i (0-based) of the form goes into its record: text, integer,
// real, letter, fixed data and boolean lines, lookup lines with "save field
// data" on.
bool line_in_record(const FormRecord& f, int i);

RecordLayout record_layout(const FormRecord& f, const uint8_t (&field_delimiter)[2]);

// The elements of date stamp code 1..12 and time stamp code 1..8; empty for 0
// and codes out of range.
std::vector<StampPart> date_stamp_parts(uint8_t code);
std::vector<StampPart> time_stamp_parts(uint8_t code);

struct StampValues {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
// The stamp text: years with 4 digits, the rest with 2, leading zeros.
std::string stamp_text(const std::vector<StampPart>& parts, const StampValues& values);

// `data` brought to exactly `n` characters by the alignment (longer data is cut).
std::string fix_length(const std::string& data, int n, uint8_t alignment);

}  // namespace kolibra
