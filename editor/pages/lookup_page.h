// The Lookup page: the three working lookup records and their per-file
// options (delimiter, upload, no-match action), the file shown, and the mode
// its radio buttons show, which runs ahead of the stored delimiter until a
// delimiter code is entered.
#pragma once

#include "editor/sheet.h"

#include <optional>

namespace kolibra::editor {

namespace lookup_control {
constexpr int kName = 700, kFieldCount = 701, kNoMatch = 702;
constexpr int kMemberLength = 609, kDelimiter = 619;
constexpr int kFixedLength = 411, kDelimited = 412;
constexpr int kUploadable = 101;
constexpr int kLengthHeading = 501;
// Row k (0 to 7) of the field grid.
constexpr int offset(int k) { return 601 + k; }
constexpr int length(int k) { return 611 + k; }
constexpr int key(int k) { return 401 + k; }
}  // namespace lookup_control

class LookupPage : public PageLogic {
public:
    explicit LookupPage(EditorContext& context);

    int current_file() const { return current_; }

    void commit() override;

protected:
    void on_init() override;
    void on_text_changed(int id) override;
    void on_clicked(int id) override;
    void on_selected(int id) override;

private:
    LookupRecord& file() { return lookups_[current_]; }
    bool delimited() const { return delimiter_[current_] != 0; }
    int field_count() const;
    void show_file(int index);
    void show_heading();
    void enable_rows();
    // Reads a number box: returns the number to store, or nothing.
    std::optional<unsigned long> typed_number(int id, unsigned long bound);
    // The member length a delimited file would get with field k's length set
    // to `value`.
    unsigned delimited_length_with(int k, unsigned long value) const;

    LookupRecord lookups_[kLookupCount]{};
    uint8_t delimiter_[kLookupCount]{};
    uint8_t uploadable_[kLookupCount]{};
    uint8_t no_match_[kLookupCount]{};
    int current_ = 0;
    bool delimited_mode_ = false;  // what the radio buttons show
};

}  // namespace kolibra::editor
