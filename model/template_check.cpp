#include "model/template_check.h"

#include "model/choices.h"
#include "model/form_rules.h"
#include "model/text_slot.h"

#include <memory>
#include <string_view>

namespace kolibra {

namespace {

constexpr int kLastTarget = 20;
constexpr int kFirstMenuTarget = 11;
constexpr int kLookupLinkMax = 24;
constexpr int kLookupFields = 8;
constexpr int kLastDataType = kTypePassDown;
constexpr int kLastDateStamp = 12;
constexpr int kLastTimeStamp = 8;
constexpr int kLastAlignment = 3;
constexpr std::size_t kTextMax = 20;  // prompts, captions and item names
// The keys choose menu items with the digits 1 to 9 and move the selection
// down through at most 8 items, so a 10th item cannot be chosen.
constexpr int kChoosableItems = 9;

// Text up to its zero byte (at most 20 characters), without trailing spaces:
// cutting spaces off loses nothing the terminal shows.
std::size_t shown_length(const uint8_t* slot) {
    std::size_t n = slot_length(slot, kTextMax);
    while (n > 0 && slot[n - 1] == ' ') --n;
    return n;
}

std::string form_place(int form) { return "form " + std::to_string(form + 1); }
std::string line_place(int form, int line) {
    return form_place(form) + " line " + std::to_string(line + 1);
}
std::string menu_place(int menu) { return "menu " + std::to_string(menu + 1); }
std::string item_place(int menu, int item) {
    return menu_place(menu) + " item " + std::to_string(item + 1);
}
std::string lookup_place(int file) { return "lookup file " + std::to_string(file + 1); }

int form_lines(const FormRecord& f) { return f.font != 0 ? 4 : kFormLines; }

bool takes_keyed_data(uint8_t type) {
    return type == kTypeText || type == kTypeInteger || type == kTypeReal ||
           type == kTypeLetter || type == kTypeBoolean;
}

// The lookup field a line links to: 1 to 8 for "field n", "-field n" and
// "+field n" alike; 0 for "nil" and for codes beyond 24.
int linked_lookup_field(uint8_t lookup_link) {
    if (lookup_link == 0 || lookup_link > kLookupLinkMax) return 0;
    return (lookup_link - 1) % kLookupFields + 1;
}

bool lookup_described(const LookupRecord& l) {
    return l.member_length != 0 && l.field_count != 0;
}

class Checker {
public:
    explicit Checker(const Template& stored) : stored_(stored), work_(std::make_unique<Template>(stored)) {
        // What a program download gives the terminal.
        normalize_forms(*work_);
        derive_counts(*work_);
    }

    std::vector<Finding> run() {
        if (!anything_defined()) {
            warn("", "no program is defined: no form has a line and no menu has an item");
            return std::move(findings_);
        }
        check_start();
        for (int k = 0; k < kFormCount; ++k) {
            if (form_defined(k)) check_form(k);
        }
        for (int m = 0; m < kMenuCount; ++m) {
            if (work_->menus[m].item_count != 0) check_menu(m);
        }
        check_reachability();
        for (int j = 0; j < kLookupCount; ++j) check_lookup_description(j);
        return std::move(findings_);
    }

private:
    void error(std::string place, std::string message) {
        findings_.push_back({Severity::Error, std::move(place), std::move(message)});
    }
    void warn(std::string place, std::string message) {
        findings_.push_back({Severity::Warning, std::move(place), std::move(message)});
    }

    bool form_defined(int k) const {
        const FormRecord& f = work_->forms[k];
        for (int i = 0; i < form_lines(f); ++i) {
            if (f.data_type[i] != kTypeNil) return true;
        }
        return false;
    }

    bool anything_defined() const {
        for (int k = 0; k < kFormCount; ++k) {
            if (form_defined(k)) return true;
        }
        for (const MenuRecord& m : work_->menus) {
            if (m.item_count != 0) return true;
        }
        return false;
    }

    // What is wrong with going to `target`, or "" when nothing is.
    std::string target_fault(unsigned target) const {
        if (target > kLastTarget) return "names no place (code " + std::to_string(target) + ")";
        if (target == 0) return "";
        if (target < kFirstMenuTarget) {
            if (work_->forms[target - 1].last_input_line == 0)
                return "leads to form " + std::to_string(target) + ", which has no input line";
            return "";
        }
        if (work_->menus[target - kFirstMenuTarget].item_count == 0)
            return "leads to menu " + std::to_string(target - kFirstMenuTarget + 1) +
                   ", which has no item";
        return "";
    }

    void check_target(const std::string& place, const char* what, unsigned target) {
        const std::string fault = target_fault(target);
        if (!fault.empty()) error(place, std::string(what) + fault);
    }

    Target start_target() const { return work_->start_target != 0 ? kFirstMenuTarget : 1; }

    void check_start() {
        check_target("start", "the program start ", start_target());
    }

    // Menu slots the keys can reach: the first item_count slots, blank or not.
    int reachable_items(const MenuRecord& m) const {
        return m.item_count < kChoosableItems ? m.item_count : kChoosableItems;
    }

    void check_form(int k) {
        const FormRecord& f = work_->forms[k];
        const FormRecord& raw = stored_.forms[k];
        const std::string place = form_place(k);
        const int width = line_width(f.font);

        check_target(place, "Esc ", f.esc_target);
        check_target(place, "Next ", f.next_target);
        if (f.date_stamp > kLastDateStamp)
            error(place, "date stamp code " + std::to_string(f.date_stamp) + " is not a known format");
        if (f.time_stamp > kLastTimeStamp)
            error(place, "time stamp code " + std::to_string(f.time_stamp) + " is not a known format");

        const unsigned file = f.lookup_file;
        if (file >= kLookupFileChoices.size()) {
            error(place, "lookup file code " + std::to_string(file) + " names no lookup file");
        } else if (file != 0 && !lookup_described(work_->lookups[file - 1])) {
            const LookupRecord& l = work_->lookups[file - 1];
            error(place, std::string("uses the ") + kLookupFileChoices[file] +
                             ", which is not described (" +
                             (l.member_length == 0 ? "member length 0" : "number of fields 0") + ")");
        }

        for (int i = 0; i < form_lines(f); ++i) {
            const uint8_t type = f.data_type[i];
            const std::string at = line_place(k, i);
            if (type > kLastDataType) {
                error(at, "data type code " + std::to_string(type) + " is not a known type");
                continue;
            }
            const std::size_t prompt = shown_length(f.prompt[i]);
            if (prompt > static_cast<std::size_t>(width)) {
                error(at, "the prompt has " + std::to_string(prompt) + " characters; the " +
                              kFontChoices[1] + " font shows " + std::to_string(width) +
                              " and the terminal cuts the rest");
            }
            check_lengths(k, i, raw);
            check_lookup_use(k, i);
            if (type == kTypePassDown && !anything_passed_down()) {
                error(at, "a \"pass down\" line, but no form has the record action \"pass down\" "
                          "and no menu passes its data down");
            }
        }
    }

    void check_lengths(int k, int i, const FormRecord& raw) {
        const FormRecord& f = work_->forms[k];
        if (!takes_keyed_data(f.data_type[i])) return;
        const std::string at = line_place(k, i);
        const int max = raw.max_length[i];
        const int min = raw.min_length[i];
        const int effective_max = max > kMaxDataLength ? kMaxDataLength : max;
        if (max > kMaxDataLength) {
            warn(at, "maximum length " + std::to_string(max) + " is above " +
                         std::to_string(kMaxDataLength) + " and is cut to " +
                         std::to_string(kMaxDataLength));
        }
        if (min > effective_max) {
            error(at, "minimum length " + std::to_string(min) + " is above the maximum length " +
                          std::to_string(effective_max));
        } else if (effective_max == 0) {
            warn(at, "maximum length 0: the line takes no data");
        }
        if (f.fixed_length_on[i] != 0 && f.fixed_length[i] < effective_max) {
            warn(at, "fixed length " + std::to_string(f.fixed_length[i]) +
                         " is shorter than the maximum length " + std::to_string(effective_max) +
                         ": longer data is cut");
        }
        if (f.fixed_length_on[i] != 0 && f.alignment[i] > kLastAlignment) {
            error(at, "alignment code " + std::to_string(f.alignment[i]) + " is not a known alignment");
        }
    }

    void check_lookup_use(int k, int i) {
        const FormRecord& f = work_->forms[k];
        const uint8_t link = f.lookup_link[i];
        const bool lookup_line = f.data_type[i] == kTypeLookup;
        if (link == 0 && !lookup_line) return;
        const std::string at = line_place(k, i);
        if (link > kLookupLinkMax) {
            error(at, "lookup link code " + std::to_string(link) + " names no lookup field");
            return;
        }
        if (lookup_line && link == 0) {
            error(at, "a \"lookup\" line whose lookup link is \"nil\"");
            return;
        }
        const unsigned file = f.lookup_file;
        if (file == 0) {
            error(at, std::string(lookup_line ? "a \"lookup\" line" : "a lookup link") +
                          " on a form whose lookup file is \"nil\"");
            return;
        }
        if (file >= kLookupFileChoices.size()) return;  // told for the form
        const LookupRecord& l = work_->lookups[file - 1];
        const int field = linked_lookup_field(link);
        if (lookup_described(l) && field > l.field_count) {
            error(at, "links to " + lookup_link_name(link) + ", but the " +
                          kLookupFileChoices[file] + " has " + std::to_string(l.field_count) +
                          (l.field_count == 1 ? " field" : " fields"));
        }
    }

    bool anything_passed_down() const {
        for (int k = 0; k < kFormCount; ++k) {
            if (form_defined(k) && work_->forms[k].record_action == kRecordActionPassDown) return true;
        }
        for (const MenuRecord& m : work_->menus) {
            if (m.item_count != 0 && m.pass_down != 0) return true;
        }
        return false;
    }

    void check_menu(int m) {
        const MenuRecord& menu = work_->menus[m];
        const std::string place = menu_place(m);
        const std::size_t width = static_cast<std::size_t>(line_width(menu.font));
        check_target(place, "Esc ", menu.esc_target);
        if (menu.caption_on != 0 && shown_length(menu.caption) > width) {
            error(place, "the caption has " + std::to_string(shown_length(menu.caption)) +
                             " characters; the " + kFontChoices[1] + " font shows " +
                             std::to_string(width) + " and the terminal cuts the rest");
        }
        const int reachable = reachable_items(menu);
        for (int s = 0; s < kMenuItems; ++s) {
            const std::string at = item_place(m, s);
            const bool counts = menu_item_counts(menu, s);
            const std::size_t name = shown_length(menu.item_name[s]);
            if (counts && name > width) {
                error(at, "the item name has " + std::to_string(name) + " characters; the " +
                              kFontChoices[1] + " font shows " + std::to_string(width) +
                              " and the terminal cuts the rest");
            }
            if (s < reachable) {
                if (counts) check_target(at, "", menu.item_next[s]);
                else warn(at, "a blank item that can be chosen (digit " + std::to_string(s + 1) + ")");
            } else if (counts && s < menu.item_count) {
                warn(at, "cannot be chosen: the keys reach only items 1 to " +
                             std::to_string(kChoosableItems));
            } else if (counts) {
                error(at, "is not shown and cannot be chosen: the blank items before it leave only " +
                              std::to_string(menu.item_count) + " items counted");
            }
        }
    }

    void check_reachability() {
        bool reached[kLastTarget + 1] = {};
        Target pending[kLastTarget + 2];
        int pending_count = 0;
        const auto visit = [&](unsigned target) {
            if (target == 0 || target > kLastTarget || reached[target]) return;
            reached[target] = true;
            pending[pending_count++] = static_cast<Target>(target);
        };
        visit(start_target());
        while (pending_count > 0) {
            const Target t = pending[--pending_count];
            if (t < kFirstMenuTarget) {
                const FormRecord& f = work_->forms[t - 1];
                visit(f.esc_target);
                visit(f.next_target);
            } else {
                const MenuRecord& m = work_->menus[t - kFirstMenuTarget];
                visit(m.esc_target);
                for (int s = 0; s < reachable_items(m); ++s) visit(m.item_next[s]);
            }
        }
        for (int k = 0; k < kFormCount; ++k) {
            if (form_defined(k) && !reached[k + 1]) warn(form_place(k), "nothing leads to this form");
        }
        for (int m = 0; m < kMenuCount; ++m) {
            if (work_->menus[m].item_count != 0 && !reached[m + kFirstMenuTarget])
                warn(menu_place(m), "nothing leads to this menu");
        }
    }

    void check_lookup_description(int j) {
        const LookupRecord& l = work_->lookups[j];
        if (l.member_length == 0 && l.field_count == 0) return;  // not described, not in use
        const std::string place = lookup_place(j);
        if (l.field_count > kLookupFields) {
            error(place, "number of fields " + std::to_string(l.field_count) + " is above " +
                             std::to_string(kLookupFields));
            return;
        }
        if (l.field_count != 0 && l.key_field >= l.field_count) {
            error(place, "key field " + std::to_string(l.key_field + 1) + " is beyond its " +
                             std::to_string(l.field_count) + " fields");
        }
        if (work_->extended.lookup_delimiter[j] != 0) {
            // The editor stores the derived length modulo 256; the true sum tells
            // whether a record fits.
            int derived = l.field_count - 1;
            for (int k = 0; k < l.field_count; ++k) derived += l.field_length[k];
            if (derived > kMaxMemberLength) {
                error(place, "the fields with their delimiters make a member length of " +
                                 std::to_string(derived) + "; the terminal takes at most " +
                                 std::to_string(kMaxMemberLength));
            }
            return;
        }
        for (int k = 0; k < l.field_count; ++k) {
            const std::string at = place + " field " + std::to_string(k + 1);
            const int offset = l.field_offset[k];
            const int end = offset + l.field_length[k] - 1;
            if (offset == 0) error(at, "offset 0: columns count from 1");
            else if (l.field_length[k] == 0) warn(at, "length 0: the field holds nothing");
            else if (end > l.member_length)
                error(at, "ends at column " + std::to_string(end) + ", beyond the member length " +
                              std::to_string(l.member_length));
        }
    }

    const Template& stored_;
    std::unique_ptr<Template> work_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> check_template(const Template& t) { return Checker(t).run(); }

std::string finding_line(const std::string& file, const Finding& finding) {
    std::string line = file + ": ";
    if (!finding.place.empty()) line += finding.place + ": ";
    line += finding.severity == Severity::Error ? "error: " : "warning: ";
    return line + finding.message;
}

bool has_error(const std::vector<Finding>& findings) {
    for (const Finding& f : findings) {
        if (f.severity == Severity::Error) return true;
    }
    return false;
}

}  // namespace kolibra
